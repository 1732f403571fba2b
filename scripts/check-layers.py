#!/usr/bin/env python3
"""Checks that every target links what it includes and that the layers point down.

The link graph and the source lists come from CMake itself: the tree is configured once
into a scratch folder with every optional part on (tests, benchmarks, tools, fuzzers),
asking for CMake's file-api code model (each target's sources, folder and include
directories) and its graphviz output (each link with its PUBLIC, PRIVATE or INTERFACE
visibility, which the code model does not record). Only the order of the layers is
declared here: it is the rule being enforced, and no build file can state it.

A header belongs to the library that lists it, else to the library whose folder holds it
(longest prefix), so that files moving between sub-folders of a library need no change
here. Every quoted #include a target compiles (its sources, and the project headers they
pull in) must name a header of the target itself or of a library it links: directly, or
transitively through PUBLIC links. A library of src/ names each library its own files
include in its own links, rather than leaning on what a neighbour links PUBLIC. A library's
header that other targets include must reach what it includes through the library's PUBLIC
links, or its users break. Links between layered libraries point down; a test in
tests/<folder> links nothing above the library of src/<folder>; only the desktop layers
link Qt Widgets.

usage: check-layers.py [--build-dir DIR] [SOURCE_DIR]
"""
import argparse
import json
import os
import re
import shutil
import subprocess
import sys
import tempfile
from collections import defaultdict
from pathlib import Path

# Lowest first. A library may link those of lower layers only; the tray and the settings
# window each build on the common desktop pieces, never on each other or on the metrics.
LAYERS = [
    ["glinter_core"],
    ["glinter_net", "glinter_platform", "glinter_catalog"],
    ["glinter_providers", "glinter_alerts"],
    ["glinter_monitor"],
    ["glinter_ui_common"],
    ["glinter_ui_tray", "glinter_ui_settings", "glinter_metrics"],
    ["glinter_app"],
]
RANK = {target: rank for rank, row in enumerate(LAYERS) for target in row}
# Qt Widgets is the desktop's: nothing below the common desktop pieces may reach it.
WIDGETS = "Qt6::Widgets"
WIDGETS_FROM = RANK["glinter_ui_common"]

CONFIGURE_OPTIONS = [
    "-DBUILD_TESTING=ON",
    "-DGLINTER_BUILD_BENCH=ON",
    "-DGLINTER_BUILD_TOOLS=ON",
    "-DGLINTER_FUZZ=ON",
]
SOURCE_SUFFIXES = {".cpp", ".cc", ".h", ".hpp"}
QUOTED_INCLUDE = re.compile(r'^[ \t]*#[ \t]*include[ \t]+"([^"]+)"', re.MULTILINE)
GRAPH_NODE = re.compile(r'^\s*"(node\d+)"\s*\[\s*label\s*=\s*"([^"]*)"\s*,\s*shape\s*=\s*(\w+)')
GRAPH_EDGE = re.compile(r'^\s*"(node\d+)"\s*->\s*"(node\d+)"\s*(?:\[\s*style\s*=\s*(\w+)\s*\])?')
# graphviz draws PRIVATE links dotted and INTERFACE ones dashed; PUBLIC ones have no style.
PRIVATE_STYLE = "dotted"


class Project:
    """What CMake says: targets with their sources, folders and links."""

    def __init__(self, root):
        self.root = root
        self.kind = {}  # target -> EXECUTABLE, STATIC_LIBRARY, INTERFACE_LIBRARY, ...
        # target -> the folder of its files, relative to root: a library's is the one that
        # holds all it lists, a program's that of its CMakeLists.txt
        self.folder = {}
        self.sources = {}  # target -> [relative paths of the project files it lists]
        self.include_dirs = {}  # target -> [relative include directories inside root]
        self.links = defaultdict(list)  # target -> [(dependency, public)]

    def is_library(self, target):
        return self.kind.get(target, "").endswith("_LIBRARY")


def configure(root, build_dir):
    query = build_dir / ".cmake/api/v1/query/codemodel-v2"
    query.parent.mkdir(parents=True, exist_ok=True)
    query.touch()
    graph = build_dir / "layers.dot"
    command = ["cmake", "-S", str(root), "-B", str(build_dir), f"--graphviz={graph}"] + CONFIGURE_OPTIONS
    if not (build_dir / "CMakeCache.txt").exists():
        command += ["-DCMAKE_CXX_COMPILER=clang++"] + (["-G", "Ninja"] if shutil.which("ninja") else [])
    result = subprocess.run(command, stdout=subprocess.PIPE, stderr=subprocess.STDOUT, text=True)
    if result.returncode != 0:
        sys.exit(f"check-layers: cmake failed:\n{result.stdout}")
    return graph


def read_codemodel(project, build_dir):
    reply = build_dir / ".cmake/api/v1/reply"
    index = json.loads(max(reply.glob("index-*.json")).read_text())
    codemodel = next(o for o in index["objects"] if o["kind"] == "codemodel")
    configuration = json.loads((reply / codemodel["jsonFile"]).read_text())["configurations"][0]
    root = project.root
    for entry in configuration["targets"]:
        target = json.loads((reply / entry["jsonFile"]).read_text())
        name = target["name"]
        project.kind[name] = target["type"]
        project.sources[name] = [
            s["path"] for s in target.get("sources", [])
            if not s.get("isGenerated") and Path(s["path"]).suffix in SOURCE_SUFFIXES
        ]
        project.folder[name] = target["paths"]["source"]
        if target["type"].endswith("_LIBRARY") and project.sources[name]:
            project.folder[name] = os.path.commonpath([os.path.dirname(s) for s in project.sources[name]])
        dirs = []
        for group in target.get("compileGroups", []):
            for include in group.get("includes", []):
                path = Path(include["path"])
                if path.is_relative_to(root) and not path.is_relative_to(build_dir):
                    relative = path.relative_to(root).as_posix()
                    if relative not in dirs:
                        dirs.append(relative)
        project.include_dirs[name] = dirs


def read_graph(project, graph):
    label = {}
    for line in graph.read_text().splitlines():
        if node := GRAPH_NODE.match(line):
            label[node[1]] = node[2]
            project.kind.setdefault(node[2], "EXECUTABLE" if node[3] == "egg" else "EXTERNAL_LIBRARY")
        elif edge := GRAPH_EDGE.match(line):
            dependency = label[edge[2]]
            if project.is_library(dependency):  # not the moc and other tools a target runs
                project.links[label[edge[1]]].append((dependency, edge[3] != PRIVATE_STYLE))


def public_closure(project, target, seen=None):
    """What linking `target` brings along: its PUBLIC and INTERFACE links, transitively."""
    seen = set() if seen is None else seen
    for dependency, public in project.links.get(target, []):
        if public and dependency not in seen:
            seen.add(dependency)
            public_closure(project, dependency, seen)
    return seen


def reachable(project, target, public_only=False):
    """The libraries whose headers `target` may include (public_only: its users may too)."""
    found = set()
    for dependency, public in project.links.get(target, []):
        if public or not public_only:
            found.add(dependency)
            found |= public_closure(project, dependency)
    return found


class Checker:
    def __init__(self, project):
        self.project = project
        self.findings = defaultdict(list)  # what is wrong -> where
        self.owners = defaultdict(set)  # listed file -> libraries listing it
        for target, sources in project.sources.items():
            if project.is_library(target):
                for source in sources:
                    self.owners[source].add(target)
        self.library_folders = sorted(
            ((project.folder[t], t) for t in project.sources if project.is_library(t) and project.sources[t]),
            key=lambda entry: len(entry[0]), reverse=True)
        self.all_include_dirs = sorted({d for dirs in project.include_dirs.values() for d in dirs})
        self.includes_cache = {}

    def fail(self, message, where=None):
        self.findings[message] += [where] if where else []

    def owner(self, path):
        """The library a file belongs to, or None for a test's or a program's own file."""
        listed = self.owners.get(path)
        if listed:
            return sorted(listed)[0]
        holders = [t for folder, t in self.library_folders if path.startswith(folder + "/")]
        if not holders or not path.endswith((".h", ".hpp")):  # a file every test compiles, say
            return None
        deepest = [t for t in holders if len(self.project.folder[t]) == len(self.project.folder[holders[0]])]
        if len(deepest) > 1:
            self.fail(f"listed by no target, in a folder of {', '.join(sorted(deepest))}", path)
        return deepest[0]

    def includes(self, path, include_dirs):
        """(line, resolved project file) for each quoted #include of `path` found in the tree."""
        key = (path, tuple(include_dirs))
        if key not in self.includes_cache:
            text = (self.project.root / path).read_text(errors="replace")
            resolved = []
            for match in QUOTED_INCLUDE.finditer(text):
                line = text.count("\n", 0, match.start()) + 1
                # a project header outside the target's own include directories is one of
                # a library it does not link; what is in none is generated or the system's
                for base in [str(Path(path).parent)] + include_dirs + self.all_include_dirs:
                    candidate = os.path.normpath(os.path.join(base, match[1]))
                    if (self.project.root / candidate).is_file():
                        resolved.append((line, candidate))
                        break
            self.includes_cache[key] = resolved
        return self.includes_cache[key]

    def check_includes(self, target):
        """Everything `target` compiles includes only headers of what it links."""
        project = self.project
        allowed = reachable(project, target) | {target}
        # A layer states its own dependencies rather than borrowing a neighbour's PUBLIC ones.
        declared = {dependency for dependency, _ in project.links.get(target, [])} | {target}
        dirs = project.include_dirs.get(target, [])
        # A library's headers are its interface; a program's are what its files include.
        pending = [
            source for source in project.sources[target]
            if project.is_library(target) or not source.endswith((".h", ".hpp"))
        ]
        seen = set(pending)
        while pending:
            path = pending.pop()
            source_owner = self.owner(path)
            own = target in RANK and source_owner == target
            for line, header in self.includes(path, dirs):
                owner = self.owner(header)
                if owner is not None and source_owner not in (None, target) and owner not in (
                        reachable(project, source_owner, public_only=True) | {source_owner}):
                    continue  # that library's own fault, which check_public_headers reports
                if owner is not None and owner not in allowed:
                    self.fail(f"{target} includes headers of {owner}, which it does not link", f"{path}:{line}")
                    continue  # what that header includes in turn is not this target's doing
                elif owner is not None and own and owner not in declared:
                    self.fail(f"{target} includes headers of {owner}, which it links only through another library",
                              f"{path}:{line}")
                if header not in seen:
                    seen.add(header)
                    pending.append(header)

    def check_public_headers(self, target, included_elsewhere):
        """A library's headers that others include reach only what it links PUBLIC."""
        allowed = reachable(self.project, target, public_only=True) | {target}
        if target in RANK:
            # one it does not link at all is check_includes' finding already
            links = self.project.links.get(target, [])
            allowed = {d for d, public in links if public} | {target} | (set(RANK) - {d for d, _ in links})
        dirs = self.project.include_dirs.get(target, [])
        for header in sorted(included_elsewhere):
            for line, included in self.includes(header, dirs):
                owner = self.owner(included)
                if owner is not None and owner not in allowed:
                    self.fail(f"headers of {target} that others include include headers of {owner}, "
                              f"which {target} does not link PUBLIC", f"{header}:{line}")

    def check_layers(self):
        project = self.project
        for target in sorted(project.sources):
            if not project.is_library(target) or not project.sources[target]:
                continue
            if not project.folder[target].startswith("src/"):
                continue
            if target not in RANK:
                self.fail(f"{target}: a library of src/ in no layer (add it to LAYERS in {Path(__file__).name})")
                continue
            for dependency, _ in project.links.get(target, []):
                if dependency in RANK and RANK[dependency] >= RANK[target]:
                    self.fail(f"{target} links {dependency}: {'up' if RANK[dependency] > RANK[target] else 'sideways'}")
            if RANK[target] < WIDGETS_FROM and WIDGETS in reachable(project, target):
                self.fail(f"{target} links {WIDGETS}, which only the desktop layers may")

    def check_tests_mirror(self):
        """tests/<folder> tests the library of src/<folder> with what lies below it."""
        project = self.project
        mirror = {project.folder[t]: t for t in project.sources if t in RANK}
        for target in sorted(project.sources):
            folder = project.folder[target]
            if project.kind[target] != "EXECUTABLE" or not folder.startswith("tests/"):
                continue
            tested = mirror.get("src/" + folder.removeprefix("tests/"))
            if tested is None:
                continue
            for dependency, _ in project.links.get(target, []):
                if RANK.get(dependency, -1) > RANK[tested]:
                    self.fail(f"{target} (tests of {tested}) links {dependency}, a layer above")

    def run(self):
        project = self.project
        included_elsewhere = defaultdict(set)
        for target in sorted(project.sources):
            self.check_includes(target)
        for (path, _), resolved in list(self.includes_cache.items()):
            for _, header in resolved:
                owner = self.owner(header)
                if owner is not None and self.owner(path) != owner:
                    included_elsewhere[owner].add(header)
        for target, headers in sorted(included_elsewhere.items()):
            self.check_public_headers(target, headers)
        self.check_layers()
        self.check_tests_mirror()
        listed = []
        for message, where in sorted(self.findings.items()):
            places = sorted(set(where))
            more = [f"    and {len(places) - 3} more"] if len(places) > 3 else []
            listed.append("\n".join([message] + [f"    at {place}" for place in places[:3]] + more))
        return listed


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("source", nargs="?", default=Path(__file__).resolve().parent.parent, type=Path)
    parser.add_argument("--build-dir", type=Path, help="where to configure (a temporary folder by default)")
    arguments = parser.parse_args()
    root = arguments.source.resolve()
    with tempfile.TemporaryDirectory(prefix="check-layers-") as scratch:
        build_dir = (arguments.build_dir or Path(scratch)).resolve()
        graph = configure(root, build_dir)
        project = Project(root)
        read_codemodel(project, build_dir)
        read_graph(project, graph)
    findings = Checker(project).run()
    for finding in findings:
        print(finding)
    if findings:
        print(f"check-layers: {len(findings)} findings")
        return 1
    targets = sum(1 for sources in project.sources.values() if sources)
    libraries = sum(1 for target in project.sources if target in RANK)
    print(f"check-layers: {targets} targets with sources, {libraries} of them layered libraries; "
          "each links what it includes, and the layers point down")
    return 0


if __name__ == "__main__":
    sys.exit(main())
