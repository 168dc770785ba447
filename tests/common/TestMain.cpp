#include "TestMain.h"

#include <QApplication>
#include <QTest>

namespace drivo::test {

std::vector<Factory>& Registry() {
    static std::vector<Factory> registry;
    return registry;
}

} // namespace drivo::test

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    int failures = 0;
    for (const auto& make : drivo::test::Registry()) {
        auto suite = make();
        failures += QTest::qExec(suite.get(), argc, argv) != 0 ? 1 : 0;
    }
    return failures == 0 ? 0 : 1;
}
