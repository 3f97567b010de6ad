// Names for parameterised test cases taken from one of their fields, so that
// a case reads as what it checks and keeps its name from run to run.
#pragma once

#include <gtest/gtest.h>

#include <cctype>
#include <cstddef>
#include <string>
#include <string_view>

namespace kalmo::testing_support {

// Letters and digits of `text` with every other run of characters as one
// underscore, cut to a readable length, then the case's index so that two
// cases never share a name.
inline std::string caseName(std::string_view text, std::size_t index)
{
    std::string name;
    for (const char c : text) {
        if (std::isalnum(static_cast<unsigned char>(c)))
            name += c;
        else if (!name.empty() && name.back() != '_')
            name += '_';
        if (name.size() >= 40)
            break;
    }
    while (!name.empty() && name.back() == '_')
        name.pop_back();
    return (name.empty() ? std::string("Empty") : name) + "_" + std::to_string(index);
}

// The name generator for INSTANTIATE_TEST_SUITE_P that names each case after
// the field `Field` of its parameter.
template <auto Field>
struct NameFrom {
    template <typename Case>
    std::string operator()(const ::testing::TestParamInfo<Case>& info) const
    {
        return caseName(std::string_view(info.param.*Field), info.index);
    }
};

} // namespace kalmo::testing_support
