// Key presses and other words of `kalmo script`; see ScriptSyntax.h.
#include "cli/ScriptSyntax.h"

#include <cctype>
#include <map>
#include <sstream>

namespace kalmo {

std::optional<ScriptKeyPress> parsePaneKey(const std::string& argument)
{
    static const std::map<std::string, KeyCode> named = {
        {"Left", vk::Left},         {"Right", vk::Right},   {"Up", vk::Up},         {"Down", vk::Down},
        {"Home", vk::Home},         {"End", vk::End},       {"PageUp", vk::PageUp}, {"PageDown", vk::PageDown},
        {"Backspace", vk::Backspace}, {"Delete", vk::Delete}, {"Insert", vk::Insert}, {"Tab", vk::Tab},
        {"Escape", vk::Escape},     {"Enter", vk::Enter},   {"F2", vk::F2},         {"F3", vk::F3},
    };
    static const std::map<std::string, ShiftFlag> modifiers = {{"Shift", ssShift}, {"Ctrl", ssCtrl}, {"Alt", ssAlt}};

    std::istringstream words(argument);
    std::string name;
    if (!(words >> name))
        return std::nullopt;
    ScriptKeyPress press;
    if (const auto key = named.find(name); key != named.end()) {
        press.key = key->second;
    } else if (name.size() == 1 && std::isalnum(static_cast<unsigned char>(name[0]))) {
        press.key = std::toupper(static_cast<unsigned char>(name[0])); // letter and digit keys are their upper-case codes
    } else {
        return std::nullopt;
    }
    for (std::string word; words >> word;) {
        const auto modifier = modifiers.find(word);
        if (modifier == modifiers.end())
            return std::nullopt;
        press.shift |= modifier->second;
    }
    return press;
}

std::optional<char32_t> characterOfKey(const ScriptKeyPress& press)
{
    const KeyCharacter typed = keyCharacter(press.key, press.shift);
    if (typed.kind == KeyCharacter::Kind::Character)
        return typed.character;
    // The layout's text, on the US keyboard the script speaks for: letters
    // and digits, and nothing with Ctrl+Alt.
    if (typed.kind == KeyCharacter::Kind::Nothing || hasCtrl(press.shift) || hasAlt(press.shift))
        return std::nullopt;
    const bool shift = hasShift(press.shift);
    if (press.key >= vk::LetterA && press.key < vk::LetterA + 26)
        return static_cast<char32_t>(shift ? press.key : press.key - 'A' + 'a');
    if (press.key >= vk::Digit0 && press.key <= vk::Digit0 + 9) {
        static constexpr const char* shifted = ")!@#$%^&*(";
        return static_cast<char32_t>(shift ? shifted[press.key - vk::Digit0] : press.key);
    }
    return std::nullopt;
}

std::string unescapeScriptText(const std::string& text)
{
    std::string plain;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\\' || i + 1 == text.size()) {
            plain += text[i];
            continue;
        }
        switch (text[++i]) {
        case 'n': plain += '\n'; break;
        case 'r': plain += '\r'; break;
        case 't': plain += '\t'; break;
        case '\\': plain += '\\'; break;
        default: plain += '\\'; plain += text[i]; break; // not an escape: kept as typed
        }
    }
    return plain;
}

std::string escapeScriptText(const std::string& text)
{
    std::string escaped;
    for (const char ch : text) {
        switch (ch) {
        case '\n': escaped += "\\n"; break;
        case '\r': escaped += "\\r"; break;
        case '\t': escaped += "\\t"; break;
        case '\\': escaped += "\\\\"; break;
        default: escaped += ch; break;
        }
    }
    return escaped;
}

} // namespace kalmo
