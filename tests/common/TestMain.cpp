#include "TestMain.h"

#include <QApplication>
#include <QTest>
#include <cstring>

namespace drivo::test {

std::vector<Factory>& Registry() {
    static std::vector<Factory> registry;
    return registry;
}

} // namespace drivo::test

// `tests CommandFlowsTest [Qt Test options]` runs that class alone; otherwise every class
// runs with the options given.
int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const char* only = nullptr;
    std::vector<char*> args(argv, argv + argc);
    for (const auto& make : drivo::test::Registry()) {
        if (argc > 1 && std::strcmp(make()->metaObject()->className(), argv[1]) == 0) {
            only = argv[1];
            args.erase(args.begin() + 1);
            break;
        }
    }
    int failures = 0;
    for (const auto& make : drivo::test::Registry()) {
        auto suite = make();
        if (only && std::strcmp(suite->metaObject()->className(), only) != 0)
            continue;
        failures +=
            QTest::qExec(suite.get(), static_cast<int>(args.size()), args.data()) != 0 ? 1 : 0;
    }
    return failures == 0 ? 0 : 1;
}
