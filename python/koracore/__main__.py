"""Command line of the koracore package.

    python3 -m koracore info [--json] FILE
    python3 -m koracore quicklook FILE [--item N] [--step K] [-o out.png]
                                       [--width W] [--height H]

Exit status 0 on success, 1 when the file cannot be read or drawn, 2 for a
wrong command line.
"""

import argparse
import sys

from . import __version__, _info, _report
from .errors import Error


def info(path, as_json=False, out=sys.stdout):
    """Prints what the C dump tool kfsdump prints of a data file; returns a
    problem found after the report ("" when none)."""
    report, problem = _info.describe(path)
    out.write(_report.as_json(report) if as_json else _report.as_text(report))
    return problem


def _parser():
    parser = argparse.ArgumentParser(prog="python3 -m koracore",
                                     description="koracore data files from the command line")
    parser.add_argument("--version", action="version", version="koracore " + __version__)
    commands = parser.add_subparsers(dest="command", required=True)
    show = commands.add_parser("info", help="print what a data file holds, as kfsdump does")
    show.add_argument("--json", action="store_true", help="the same as JSON")
    show.add_argument("file")
    look = commands.add_parser("quicklook", help="draw an item at a time step into a PNG file")
    look.add_argument("file")
    look.add_argument("--item", default="1", help="item number (from 1) or name; default 1")
    look.add_argument("--step", type=int, default=0, help="time step (from 0); default 0")
    look.add_argument("-o", "--output", default="quicklook.png", help="PNG file to write")
    look.add_argument("--width", type=int, default=800, help="width in pixels")
    look.add_argument("--height", type=int, default=600, help="height in pixels")
    return parser


def main(argv=None):
    args = _parser().parse_args(argv)
    try:
        if args.command == "info":
            problem = info(args.file, args.json)
            if problem:  # what could be read is shown; a file cut short still fails
                raise ValueError("%s: %s" % (args.file, problem))
        else:
            if args.width < 1 or args.height < 1:
                raise ValueError("--width and --height must be positive")
            from .quicklook import quicklook

            quicklook(args.file, args.output, args.item, args.step, args.width, args.height)
    except (Error, OSError, KeyError, IndexError, ValueError) as error:
        sys.stderr.write("koracore: %s\n" % (error.args[0] if isinstance(error, KeyError)
                                             else error))
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
