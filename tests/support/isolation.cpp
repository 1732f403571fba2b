// Linked into every test binary. CTest gives each test XDG folders of its own under the
// build tree; a test binary started by hand without them gets fresh temporary ones instead,
// so that no test ever reads or writes the user's services, history or settings.
#include <QByteArray>
#include <QtGlobal>

#include <cstdlib>

namespace {

const bool isolated = [] {
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
