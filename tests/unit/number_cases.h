// The rows of the number text tables, each named for the behaviour it pins down.
#pragma once

#include <gtest/gtest.h>
#include <string>

namespace tavrol {

template <class Case> std::string behaviourName(const ::testing::TestParamInfo<Case>& param)
{
    return param.param.behaviour;
}

struct TextCase {
    const char* behaviour;
    double value;
    const char* expected;
};

} // namespace tavrol
