#!/usr/bin/env python3
"""The layer checker on a small project shaped like Glinter's: quiet while every target links
what it includes, and each broken rule reported, once, by what it is.

usage: tst_checklayers.py CHECK_LAYERS_PY
"""
import subprocess
import sys
import tempfile
import unittest
from pathlib import Path

CHECKER = None

# A library per folder of src/, a test of the monitor, all within the rules.
CLEAN = {
    "CMakeLists.txt": """
        cmake_minimum_required(VERSION 3.25)
        project(Mini LANGUAGES CXX)
        function(lib name folder)
            add_library(${name} STATIC ${ARGN})
            target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
        endfunction()
        add_subdirectory(src)
        add_subdirectory(tests)
    """,
    "src/CMakeLists.txt": """
        lib(glinter_core core core/value.cpp core/value.h)
        lib(glinter_net net net/session.cpp net/session.h)
        target_link_libraries(glinter_net PUBLIC glinter_core)
        lib(glinter_catalog catalog catalog/entries.cpp)
        target_link_libraries(glinter_catalog PRIVATE glinter_core)
        # the readers' shared header sits in a sub-folder no list names
        lib(glinter_providers providers providers/reader.cpp)
        target_link_libraries(glinter_providers PUBLIC glinter_net glinter_core)
        lib(glinter_monitor monitor monitor/monitor.cpp monitor/monitor.h)
        target_link_libraries(glinter_monitor PUBLIC glinter_providers glinter_core)
        lib(glinter_ui_tray ui/tray ui/tray/tray.cpp)
        target_link_libraries(glinter_ui_tray PUBLIC glinter_monitor glinter_core)
        lib(glinter_metrics metrics metrics/metrics.cpp)
        target_link_libraries(glinter_metrics PUBLIC glinter_monitor)
    """,
    "src/core/value.h": "#pragma once\n",
    "src/core/value.cpp": '#include "core/value.h"\n',
    "src/net/session.h": '#pragma once\n#include "core/value.h"\n',
    "src/net/session.cpp": '#include "net/session.h"\n',
    "src/catalog/entries.cpp": '#include "core/value.h"\n',
    "src/providers/common/reader.h": '#pragma once\n#include "net/session.h"\n',
    "src/providers/reader.cpp": '#include "providers/common/reader.h"\n#include "core/value.h"\n',
    "src/monitor/monitor.h": '#pragma once\n#include "providers/common/reader.h"\n',
    "src/monitor/monitor.cpp": '#include "monitor/monitor.h"\n#include "core/value.h"\n',
    "src/ui/tray/tray.cpp": '#include "monitor/monitor.h"\n#include "core/value.h"\n',
    "src/metrics/metrics.cpp": '#include "monitor/monitor.h"\n',
    "tests/CMakeLists.txt": "add_subdirectory(monitor)\n",
    "tests/monitor/CMakeLists.txt": """
        add_executable(tst_monitor tst_monitor.cpp)
        target_link_libraries(tst_monitor PRIVATE glinter_monitor)
    """,
    # a test may lean on what its library links PUBLIC
    "tests/monitor/tst_monitor.cpp": '#include "monitor/monitor.h"\n#include "core/value.h"\nint main() {}\n',
}

# Each rule broken once, and what the checker is to say about it.
BROKEN = [
    ("a reader includes the monitor above it",
     {"src/providers/reader.cpp": '#include "monitor/monitor.h"\n'},
     "glinter_providers includes headers of glinter_monitor, which it does not link"),
    ("a header includes what its library links PRIVATE",
     {"src/CMakeLists.txt": ("PUBLIC glinter_net glinter_core", "PUBLIC glinter_core PRIVATE glinter_net")},
     "headers of glinter_providers that others include include headers of glinter_net, "
     "which glinter_providers does not link PUBLIC"),
    ("the tray borrows the readers' link from the monitor",
     {"src/ui/tray/tray.cpp": '#include "providers/common/reader.h"\n'},
     "glinter_ui_tray includes headers of glinter_providers, which it links only through another library"),
    ("the catalog links the monitor",
     {"src/CMakeLists.txt": ("PRIVATE glinter_core)", "PRIVATE glinter_core glinter_monitor)")},
     "glinter_catalog links glinter_monitor: up"),
    ("the metrics link the tray",
     {"src/CMakeLists.txt": ("PUBLIC glinter_monitor)", "PUBLIC glinter_monitor glinter_ui_tray)")},
     "glinter_metrics links glinter_ui_tray: sideways"),
    ("core links Qt Widgets",
     {"src/CMakeLists.txt": ("lib(glinter_net", "add_library(Qt6::Widgets INTERFACE IMPORTED)\n"
                             "target_link_libraries(glinter_core PRIVATE Qt6::Widgets)\nlib(glinter_net")},
     "glinter_core links Qt6::Widgets, which only the desktop layers may"),
    ("a test of the monitor links the tray",
     {"tests/monitor/CMakeLists.txt": ("PRIVATE glinter_monitor", "PRIVATE glinter_monitor glinter_ui_tray")},
     "tst_monitor (tests of glinter_monitor) links glinter_ui_tray, a layer above"),
    ("a library in no layer",
     {"src/CMakeLists.txt": ("lib(glinter_net", "lib(glinter_extra extra extra/extra.cpp)\nlib(glinter_net"),
      "src/extra/extra.cpp": "\n"},
     "glinter_extra: a library of src/ in no layer (add it to LAYERS in check-layers.py)"),
]


def write(root, files):
    for name, text in files.items():
        path = root / name
        path.parent.mkdir(parents=True, exist_ok=True)
        path.write_text("\n".join(line.strip() for line in text.splitlines()) + "\n")


def findings(root):
    result = subprocess.run([sys.executable, CHECKER, "--build-dir", str(root / "build"), str(root)],
                            stdout=subprocess.PIPE, stderr=subprocess.STDOUT, text=True)
    # each finding without the places it was found at, which follow it indented
    return result.returncode, {line for line in result.stdout.splitlines()[:-1] if not line.startswith(" ")}


class TestCheckLayers(unittest.TestCase):
    def test_clean_project_passes(self):
        with tempfile.TemporaryDirectory() as folder:
            root = Path(folder)
            write(root, CLEAN)
            code, found = findings(root)
            self.assertEqual(found, set())
            self.assertEqual(code, 0)

    def test_each_broken_rule_is_reported(self):
        files = dict(CLEAN)
        for _, changes, _ in BROKEN:
            for name, change in changes.items():
                if isinstance(change, tuple):
                    self.assertIn(change[0], files[name])
                    files[name] = files[name].replace(change[0], change[1], 1)
                else:
                    files[name] = files.get(name, "") + change
        with tempfile.TemporaryDirectory() as folder:
            root = Path(folder)
            write(root, files)
            code, found = findings(root)
        self.assertEqual(code, 1)
        for case, _, expected in BROKEN:
            with self.subTest(case):
                self.assertIn(expected, found)
        self.assertEqual(len(found), len(BROKEN), sorted(found))


if __name__ == "__main__":
    CHECKER = sys.argv.pop(1)
    unittest.main()
