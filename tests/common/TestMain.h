// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One test executable per folder: every Qt Test class of the folder registers itself here
// and the shared main runs them all, so CTest sees one suite per folder.
#include <QObject>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace drivo::test {

struct Suite {
    std::string name;
    std::function<std::unique_ptr<QObject>()> make;
};
std::vector<Suite>& Registry();

struct Registrar {
    explicit Registrar(Suite suite) { Registry().push_back(std::move(suite)); }
};

} // namespace drivo::test

// The first line of a long trial (kill rounds, soaks): skipped when CTest runs the whole
// executable, which sets DRIVO_SKIP_LONG_TRIALS; CTest runs it alone under the label "long".
#define DRIVO_LONG_TRIAL()                                                                         \
    do {                                                                                           \
        if (qEnvironmentVariableIsSet("DRIVO_SKIP_LONG_TRIALS"))                                   \
            QSKIP("a long trial, run on its own under the CTest label long");                      \
    } while (false)

// Put DRIVO_TEST(ClassName) after the class (in its .cpp, after the moc include if any).
#define DRIVO_TEST(Class)                                                                          \
    static const ::drivo::test::Registrar drivoRegistrar_##Class {                                 \
        {                                                                                          \
#Class, [] { return std::unique_ptr<QObject>(new Class); }                             \
        }                                                                                          \
    }
