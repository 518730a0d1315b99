#pragma once
// The measured actions of the program: one function each, listed in one table.

#include "Harness.h"

#include <QString>

#include <memory>
#include <vector>

namespace bench {

struct CatalogueSize;
class Setting;

// What the measured functions share: the catalogue file, the program's windows on a folder
// of their own, and the sizes of this run.
class Suite {
public:
    // `smoke`: the household catalogue and small plans, for a quick check that all works.
    explicit Suite(bool smoke);
    ~Suite();
    // Every measured action, in the order of the table.
    std::vector<Measured> Table();
    // A line that says what was measured.
    std::string Heading() const;

private:
    std::unique_ptr<Setting> s_;
};

} // namespace bench
