// Conversions between UTF-8 and the system converter's character sets; see CharsetConverter.h.
#include "job/CharsetConverter.h"

#include "base/Utf8Codec.h"

#include <array>
#include <cerrno>
#include <cstdint>
#include <optional>
#include <unordered_map>

#include <iconv.h>

namespace kalmo {
namespace {

// Code points travel to and from iconv as UTF-32LE, four bytes each.
constexpr const char* kWide = "UTF-32LE";

class Iconv {
public:
    Iconv(const std::string& to, const std::string& from) : cd_(::iconv_open(to.c_str(), from.c_str())) {}
    Iconv(const Iconv&) = delete;
    Iconv& operator=(const Iconv&) = delete;
    ~Iconv()
    {
        if (valid())
            ::iconv_close(cd_);
    }
    bool valid() const { return cd_ != reinterpret_cast<iconv_t>(-1); }

    struct Result {
        std::size_t consumed = 0;
        std::size_t produced = 0;
        int error = 0; // errno of a conversion that stopped early
    };

    // Converts from a fresh state into out, flushing at the end so that a
    // converter that holds a character back (to combine it) gives it up.
    Result convert(std::string_view in, char* out, std::size_t capacity)
    {
        ::iconv(cd_, nullptr, nullptr, nullptr, nullptr);
        char* inPtr = const_cast<char*>(in.data());
        std::size_t inLeft = in.size();
        char* outPtr = out;
        std::size_t outLeft = capacity;
        Result result;
        if (::iconv(cd_, &inPtr, &inLeft, &outPtr, &outLeft) == static_cast<std::size_t>(-1))
            result.error = errno;
        else if (::iconv(cd_, nullptr, nullptr, &outPtr, &outLeft) == static_cast<std::size_t>(-1))
            result.error = errno;
        result.consumed = in.size() - inLeft;
        result.produced = capacity - outLeft;
        return result;
    }

private:
    iconv_t cd_;
};

char32_t readWide(const char* bytes)
{
    const auto b = [&](int k) { return static_cast<char32_t>(static_cast<unsigned char>(bytes[k])); };
    return b(0) | (b(1) << 8) | (b(2) << 16) | (b(3) << 24);
}

std::array<char, 4> wideOf(char32_t cp)
{
    return {static_cast<char>(cp & 0xFF), static_cast<char>((cp >> 8) & 0xFF), static_cast<char>((cp >> 16) & 0xFF),
            static_cast<char>((cp >> 24) & 0xFF)};
}

// The bytes of one character in the set, or nullopt when the set lacks it.
std::optional<std::string> encodeOne(Iconv& encoder, char32_t cp)
{
    const auto wide = wideOf(cp);
    std::array<char, 16> out{};
    const auto result = encoder.convert(std::string_view(wide.data(), wide.size()), out.data(), out.size());
    if (result.error != 0 || result.consumed != wide.size() || result.produced == 0)
        return std::nullopt;
    return std::string(out.data(), result.produced);
}

class SingleByteCharset : public CharsetConverter {
public:
    explicit SingleByteCharset(const std::array<char32_t, 256>& characters) : characters_(characters)
    {
        for (std::size_t b = 0x80; b < characters_.size(); ++b)
            bytes_.emplace(characters_[b], static_cast<char>(b));
    }

    std::string toUtf8(std::string_view bytes) const override
    {
        std::string out;
        out.reserve(bytes.size() + bytes.size() / 8);
        for (const char c : bytes)
            appendUtf8(out, characters_[static_cast<unsigned char>(c)]);
        return out;
    }

    std::string fromUtf8(std::string_view utf8) const override
    {
        return encodeUtf8Text(utf8, [this](char32_t cp, std::string& out) {
            const auto found = bytes_.find(cp);
            if (found == bytes_.end())
                return false;
            out += found->second;
            return true;
        });
    }

private:
    std::array<char32_t, 256> characters_;
    std::unordered_map<char32_t, char> bytes_;
};

class MultiByteCharset : public CharsetConverter {
public:
    explicit MultiByteCharset(std::string converterName) : name_(std::move(converterName)) {}

    // A character counts only when writing it gives back exactly the bytes
    // it was read from; otherwise its first byte stays raw and reading goes
    // on with the next byte.
    std::string toUtf8(std::string_view bytes) const override
    {
        Iconv decoder(kWide, name_);
        Iconv encoder(name_, kWide);
        std::string out;
        out.reserve(bytes.size() + bytes.size() / 2);
        std::size_t i = 0;
        while (i < bytes.size()) {
            const auto byte = static_cast<unsigned char>(bytes[i]);
            if (byte < 0x80) {
                out += static_cast<char>(byte);
                ++i;
                continue;
            }
            // Room for one code point: iconv stops after the first character.
            std::array<char, 4> wide{};
            const std::string_view window = bytes.substr(i, 8);
            const auto result = decoder.convert(window, wide.data(), wide.size());
            const bool oneCharacter
                = result.produced == wide.size() && result.consumed > 0
                  && (result.error == 0 || result.error == E2BIG);
            if (oneCharacter) {
                const char32_t cp = readWide(wide.data());
                const std::string_view read = bytes.substr(i, result.consumed);
                if (!isRawBytePoint(cp) && encodeOne(encoder, cp) == std::optional<std::string>(read)) {
                    appendUtf8(out, cp);
                    i += read.size();
                    continue;
                }
            }
            appendRawByte(out, byte);
            ++i;
        }
        return out;
    }

    std::string fromUtf8(std::string_view utf8) const override
    {
        Iconv encoder(name_, kWide);
        return encodeUtf8Text(utf8, [&encoder](char32_t cp, std::string& out) {
            auto bytes = encodeOne(encoder, cp);
            if (!bytes)
                return false;
            out += *bytes;
            return true;
        });
    }

private:
    std::string name_;
};

enum class Shape { SingleByte, MultiByte, NotAsciiCompatible };

// Asks iconv for every byte on its own. A byte that starts an incomplete
// sequence makes the set multi-byte; one that fails, or stands for more or
// less than one code point, is undefined.
Shape probe(Iconv& decoder, UndefinedBytes undefinedBytes, std::array<char32_t, 256>& characters)
{
    std::unordered_map<char32_t, int> taken;
    for (int b = 0; b < 256; ++b) {
        const char byte = static_cast<char>(b);
        std::array<char, 8> wide{};
        const auto result = decoder.convert(std::string_view(&byte, 1), wide.data(), wide.size());
        if (result.error == EINVAL)
            return Shape::MultiByte;
        std::optional<char32_t> cp;
        if (result.error == 0 && result.produced == 4)
            cp = readWide(wide.data());
        if (b < 0x80) {
            if (cp != static_cast<char32_t>(b))
                return Shape::NotAsciiCompatible;
            characters[static_cast<std::size_t>(b)] = *cp;
            continue;
        }
        // A second byte for the same character could not be written back.
        if (cp && !isRawBytePoint(*cp) && taken.emplace(*cp, b).second) {
            characters[static_cast<std::size_t>(b)] = *cp;
            continue;
        }
        characters[static_cast<std::size_t>(b)] = undefinedBytes == UndefinedBytes::AsC1Controls && b < 0xA0
            ? static_cast<char32_t>(b)
            : kRawByteBase + static_cast<char32_t>(b);
    }
    return Shape::SingleByte;
}

} // namespace

void appendRawByte(std::string& out, unsigned char byte)
{
    if (byte < 0x80)
        out += static_cast<char>(byte);
    else
        appendUtf8(out, kRawByteBase + byte);
}

CharsetOpening openCharset(const std::string& converterName, bool multiByteAllowed, UndefinedBytes undefinedBytes)
{
    Iconv decoder(kWide, converterName);
    Iconv encoder(converterName, kWide);
    if (!decoder.valid() || !encoder.valid())
        return {nullptr, "the system's converter does not know it", false};
    std::array<char32_t, 256> characters{};
    switch (probe(decoder, undefinedBytes, characters)) {
    case Shape::SingleByte: return {std::make_shared<SingleByteCharset>(characters), {}};
    case Shape::NotAsciiCompatible: return {nullptr, "it does not keep ASCII characters as they are"};
    case Shape::MultiByte: break;
    }
    if (!multiByteAllowed)
        return {nullptr, "it is a multi-byte set this program does not support"};
    return {std::make_shared<MultiByteCharset>(converterName), {}};
}

std::string encodeUtf8Text(std::string_view utf8, const std::function<bool(char32_t, std::string&)>& encode)
{
    std::string out;
    out.reserve(utf8.size());
    std::size_t i = 0;
    while (i < utf8.size()) {
        const std::size_t length = utf8SequenceLength(utf8, i);
        // Our own lines are valid UTF-8; a stray byte is kept as it is.
        if (length <= 1) {
            out += utf8[i++];
            continue;
        }
        const char32_t cp = decodeUtf8Sequence(utf8, i, length);
        i += length;
        if (isRawBytePoint(cp))
            out += static_cast<char>(cp - kRawByteBase);
        else if (!encode(cp, out))
            out += "&#" + std::to_string(static_cast<std::uint32_t>(cp)) + ";";
    }
    return out;
}

} // namespace kalmo
