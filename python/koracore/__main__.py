"""Command line of the koracore package.

    python3 -m koracore info FILE
    python3 -m koracore quicklook FILE [--item N] [--step K] [-o out.png]
                                       [--width W] [--height H]

Exit status 0 on success, 1 when the file cannot be read or drawn, 2 for a
wrong command line.
"""

import argparse
import sys

from . import __version__, dfs
from .errors import Error


def _unit_text(unit):
    name = getattr(unit, "name", str(unit))
    abbreviation = getattr(unit, "abbreviation", "")
    return "%s [%s]" % (name, abbreviation) if abbreviation else name


def _axis_text(axis):
    size = " x ".join(str(n) for n in axis.size)
    text = "%s %s" % (axis.kind, size) if size else axis.kind
    if axis.step:
        text += ", origin %s, step %s %s" % (
            "(%s)" % ", ".join("%g" % v for v in axis.origin),
            "(%s)" % ", ".join("%g" % v for v in axis.step), axis.unit.abbreviation)
    return text


def _item_line(kind, n, item):
    item_type = getattr(item.item_type, "name", item.item_type)
    return "%s %d: %s, %s, %s, %s, %s" % (kind, n, item.name, item_type, _unit_text(item.unit),
                                         item.dtype, _axis_text(item.axis))


def _time_line(f):
    axis, times = f.time_axis, f.times
    if not f.steps:
        return "time axis   %s, no steps" % f._time["type_name"]
    if axis.calendar:
        first, last = (str(t.astype("datetime64[s]")).replace("T", " ") for t in times[[0, -1]])
    else:
        first, last = "%g s" % times[0], "%g s" % times[-1]
    step = ", step %g %s" % (axis.step, axis.unit.abbreviation) if axis.equidistant else ""
    return "time axis   %s, %d steps%s, from %s to %s" % (f._time["type_name"], f.steps, step,
                                                         first, last)


def info(path, out=sys.stdout):
    """Prints what the header of a data file says."""
    with dfs.open(path) as f:
        lines = ["file        %s" % f.path, "created     %s" % f.created,
                 "title       %s" % f.title,
                 "written by  %s, version %d" % (f.app_title, f.app_version),
                 "file type   %s" % f.file_type_name,
                 "delete values %s" % ", ".join("%s %r" % kv for kv in f.delete_values.items())]
        if f.projection:
            lines += ["projection  %s" % f.projection,
                      "grid origin longitude %.6f, latitude %.6f, orientation %g degrees"
                      % (f.origin + (f.orientation,))]
        lines.append(_time_line(f))
        lines += [_item_line("item", n, item) for n, item in enumerate(f.items, 1)]
        lines += [_item_line("static", n, item) for n, item in enumerate(f.static_items, 1)]
    out.write("\n".join(lines) + "\n")


def _parser():
    parser = argparse.ArgumentParser(prog="python3 -m koracore",
                                     description="koracore data files from the command line")
    parser.add_argument("--version", action="version", version="koracore " + __version__)
    commands = parser.add_subparsers(dest="command", required=True)
    show = commands.add_parser("info", help="print what the header of a data file says")
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
            info(args.file)
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
