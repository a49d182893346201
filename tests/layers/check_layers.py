#!/usr/bin/env python3
"""Checks that the #include lines under src/ point down the layers only.

    core       src/model, src/codegen, src/devices   no Qt
    chip       src/chip                              no Qt
    framework  src/framework
    plug-in    src/view, src/pages/*, src/plugin
    host       src/host (its command line, src/host/cli, without Qt)

Within the plug-in layer a page group (pages/clock, pages/timers, ...)
includes no other group, pages/common includes no group, and the view
includes no group (it may use pages/common).

Usage: check_layers.py SOURCE_DIR. Prints one line per forbidden include
and exits 1 when there is any. check_layers.py --self-test runs the rules
over a table of examples.
"""

import pathlib
import re
import sys

# The rules on examples: (including file, include line, forbidden?).
EXAMPLES = [
    ("chip/Crossbar.cpp", '"devices/Registers.h"', False),
    ("chip/Crossbar.cpp", "<cstdint>", False),
    ("chip/Crossbar.cpp", "<QString>", True),
    ("codegen/SourceGenerator.cpp", "<QtCore/QString>", True),
    ("model/ProjectFile.cpp", '"chip/Crossbar.h"', True),
    ("framework/CView.cpp", '"chip/Crossbar.h"', False),
    ("framework/CView.cpp", '"view/CQ7R2xView.h"', True),
    ("pages/serial/CUart0PropPage.cpp", '"pages/serial/SerialMath.h"', False),
    ("pages/serial/CUart0PropPage.cpp", '"pages/common/CPropPage.h"', False),
    ("pages/serial/CUart0PropPage.cpp", '"pages/timers/TimerSheets.h"', True),
    ("pages/serial/CUart0PropPage.cpp", "<QLabel>", False),
    ("pages/common/CPropPage.cpp", '"pages/clock/COscPage.h"', True),
    ("view/CQ7R2xView.cpp", '"pages/common/CommandTable.h"', False),
    ("view/CQ7R2xView.cpp", '"pages/portio/PortIOSheet.h"', True),
    ("view/CQ7R2xView.cpp", '"host/CMainWindow.h"', True),
    ("plugin/Registration.cpp", '"pages/portio/PortIOSheet.h"', False),
    ("host/CMainWindow.cpp", '"framework/CApplication.h"', False),
    ("host/CMainWindow.cpp", '"view/ViewCommands.h"', True),
    ("host/cli/Cli.cpp", '"chip/Project.h"', False),
    ("host/cli/Cli.cpp", "<QCoreApplication>", True),
]

INCLUDE = re.compile(r'^\s*#\s*include\s*([<"])([^">]+)[">]')
QT_HEADER = re.compile(r'^Qt?[A-Z]')  # <QWidget>, <QtCore/QString>

CORE = {"model", "codegen", "devices"}
RANK = {"core": 0, "chip": 1, "framework": 2, "plugin": 3, "host": 4}


def part_of(path):
    """(layer, page group or None) of a path relative to src/."""
    top = path.parts[0]
    if top in CORE:
        return "core", None
    if top in ("chip", "framework", "host"):
        return top, None
    if top in ("view", "plugin"):
        return "plugin", None
    if top == "pages" and len(path.parts) > 2:
        return "plugin", path.parts[1]
    return None, None


def problem(source, included, quoted):
    """Why `source` may not include `included`, or None."""
    layer, group = part_of(source)
    if not quoted:
        if QT_HEADER.match(included) and (
            layer in ("core", "chip") or source.parts[:2] == ("host", "cli")
        ):
            return "Qt in a Qt-free layer"
        return None
    target = pathlib.PurePosixPath(included)
    to_layer, to_group = part_of(target)
    if layer is None or to_layer is None:
        return None
    if RANK[to_layer] > RANK[layer]:
        return f"{layer} includes the higher layer {to_layer}"
    if layer == "host" and to_layer == "plugin":
        return "the host includes the plug-in"
    if to_group is None or to_group == "common" or group == to_group:
        return None
    if group == "common":
        return "pages/common includes a page group"
    if group is not None:
        return "a page group includes another group"
    if source.parts[0] == "view":
        return "the view includes a page group"
    return None


def self_test():
    """Runs the rules over EXAMPLES; returns the number of wrong verdicts."""
    wrong = 0
    for source, line, forbidden in EXAMPLES:
        m = INCLUDE.match("#include " + line)
        verdict = problem(pathlib.PurePosixPath(source), m.group(2), m.group(1) == '"')
        if (verdict is not None) != forbidden:
            print(f"{source} including {line}: {verdict or 'allowed'}, expected the opposite")
            wrong += 1
    return wrong


def main():
    if sys.argv[1:] == ["--self-test"]:
        return 1 if self_test() else 0
    src = pathlib.Path(sys.argv[1]) / "src"
    failures = []
    for file in sorted(src.rglob("*")):
        if file.suffix not in (".h", ".cpp"):
            continue
        source = pathlib.PurePosixPath(file.relative_to(src).as_posix())
        for number, line in enumerate(file.read_text(encoding="latin-1").splitlines(), 1):
            m = INCLUDE.match(line)
            if not m:
                continue
            quoted, included = m.group(1) == '"', m.group(2)
            why = problem(source, included, quoted)
            if why is None:
                continue
            failures.append(f"src/{source}:{number}: {why}: {included}")
    for f in failures:
        print(f)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
