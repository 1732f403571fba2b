// Linked into every test binary. CTest gives each test XDG folders of its own under the
// build tree; a test binary started by hand without them gets fresh temporary ones instead,
// so that no test ever reads or writes the user's services, history or settings. The
// program's own switches (GLINTER_OPEN_SETTINGS, GLINTER_FEED_ORIGIN, …) a developer's
// shell may hold are cleared, so that a test sees only those it sets itself.
#include <QByteArray>
#include <QByteArrayList>
#include <QtGlobal>

#include <cstdlib>
#include <unistd.h>

namespace {

void clearOwnSwitches()
{
    QByteArrayList names;
    for (char **entry = environ; *entry; ++entry) {
        const QByteArray pair(*entry);
        if (pair.startsWith("GLINTER_"))
            names.append(pair.left(pair.indexOf('=')));
    }
    for (const QByteArray &name : names)
        qunsetenv(name.constData());
}

const bool isolated = [] {
    clearOwnSwitches();
    const char *names[] = {"XDG_DATA_HOME", "XDG_CONFIG_HOME", "XDG_CACHE_HOME"};
    const char *subfolders[] = {"/data", "/config", "/cache"};
    QByteArray root;
    for (int i = 0; i < 3; ++i) {
        if (!qEnvironmentVariableIsEmpty(names[i]))
            continue;
        if (root.isEmpty()) {
            char pattern[] = "/tmp/glinter-test-XXXXXX";
            if (!::mkdtemp(pattern))
                std::abort();
            root = pattern;
        }
        qputenv(names[i], QByteArray(root).append(subfolders[i]));
    }
    return true;
}();

} // namespace
