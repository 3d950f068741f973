// Table rows with a name: the name becomes the test's name and is what a
// failure prints, instead of the row's bytes. A row type derives from
// NamedCase and lists NamedCaseName as the instantiation's name generator.
#pragma once

#include <gtest/gtest.h>

#include <ostream>
#include <string>

namespace velbarino::testing_support {

struct NamedCase {
    const char* name;
};

inline std::ostream& operator<<(std::ostream& os, const NamedCase& row) { return os << row.name; }

struct NamedCaseName {
    template <typename Row>
    std::string operator()(const testing::TestParamInfo<Row>& info) const {
        return info.param.name;
    }
};

}  // namespace velbarino::testing_support
