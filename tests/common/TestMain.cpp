// SPDX-License-Identifier: GPL-3.0-or-later
#include "TestMain.h"

#include <QApplication>
#include <QTest>
#include <algorithm>

std::vector<drivo::test::Suite>& drivo::test::Registry() {
    static std::vector<Suite> registry;
    return registry;
}

// `tests CommandFlowsTest [Qt Test options]` runs that class alone; otherwise every class
// runs with the options given.
int main(int argc, char** argv) {
    QApplication app(argc, argv);
    std::vector<char*> args(argv, argv + argc);
    const auto& suites = drivo::test::Registry();
    const bool one = argc > 1 && std::any_of(suites.begin(), suites.end(),
                                             [&](const auto& s) { return s.name == argv[1]; });
    if (one)
        args.erase(args.begin() + 1);
    int failures = 0;
    for (const auto& [name, make] : suites)
        if (!one || name == argv[1])
            failures += QTest::qExec(make().get(), int(args.size()), args.data()) != 0;
    return failures == 0 ? 0 : 1;
}
