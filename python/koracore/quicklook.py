"""Quick-look pictures of data files.

A gridded item is drawn at one time step as coloured cells over its grid
coordinates, with a colour bar labelled with its unit and the step's time in
the title; delete values stay blank. A single-point item (one value per
step) is drawn as a line over time, an item along a line as a line over x.
Matplotlib draws off screen (no window, no global pyplot state), so this
works on machines without a display and from several threads.
"""

import numpy as np
from matplotlib.backends.backend_agg import FigureCanvasAgg
from matplotlib.figure import Figure

from . import dfs

__all__ = ["quicklook"]


def quicklook(path, output, item=1, step=0, width=800, height=600, dpi=100):
    """Draws `item` (number from 1, or name) of the data file at `path`,
    at time step `step` (from 0), into the PNG file `output` of `width` x
    `height` pixels. Returns the output path."""
    with dfs.open(path) as f:
        chosen = f.item(_as_key(item))
        figure = Figure(figsize=(width / dpi, height / dpi), dpi=dpi)
        FigureCanvasAgg(figure)
        axes = figure.add_subplot()
        if chosen.axis.elements == 1:
            _draw_series(axes, f, chosen)
        elif chosen.axis.dimension == 1 and chosen.axis.kind != "NeqD1":
            _draw_line(axes, f, chosen, step)
        else:
            _draw_grid(figure, axes, f, chosen, step)
    figure.savefig(output, dpi=dpi, format="png")
    return output


def _as_key(item):
    return int(item) if isinstance(item, str) and item.isdigit() else item


def _label(item):
    unit = getattr(item.unit, "abbreviation", "") or getattr(item.unit, "name", str(item.unit))
    return "%s [%s]" % (item.name, unit)


def _time_text(f, step):
    time = f.times[step]
    if f.time_axis.calendar:
        return str(time.astype("datetime64[s]")).replace("T", " ")
    return "%g s" % time


def _draw_series(axes, f, item):
    values = f.read(item, delete_as_nan=True).reshape(f.steps)
    axes.plot(f.times, values)
    axes.set_ylabel(_label(item))
    axes.set_xlabel("time" if f.time_axis.calendar else "time [s]")
    axes.set_title("%s, %d steps" % (item.name, f.steps))
    axes.figure.autofmt_xdate()


def _draw_line(axes, f, item, step):
    step = dfs._step_index(step, f.steps)
    values = f.read(item, step, delete_as_nan=True)
    x = item.axis.origin[0] + item.axis.step[0] * np.arange(len(values))
    axes.plot(x, values)
    axes.set_xlabel("x [%s]" % item.axis.unit)
    axes.set_ylabel(_label(item))
    axes.set_title("%s at %s" % (item.name, _time_text(f, step)))


def _cell_edges(axis):
    """Edges of the cells along x and y (or corners of a curved grid)."""
    if axis.kind.startswith("Eq"):
        return [axis.origin[n] + axis.step[n] * (np.arange(axis.size[n] + 1) - 0.5)
                for n in (0, 1)]
    if axis.kind.startswith("Neq"):
        return [axis.coords[0], axis.coords[1]]
    top = (-1,) * (axis.coords[0].ndim - 2)  # the top layer of a 3-D grid
    return [axis.coords[0][top], axis.coords[1][top]]


def _draw_grid(figure, axes, f, item, step):
    step = dfs._step_index(step, f.steps)
    values = f.read(item, step, delete_as_nan=True)
    if item.axis.kind == "NeqD1":
        points = item.axis.coords[0]
        drawn = axes.scatter(points[:, 0], points[:, 1], c=values, s=12)
    else:
        while values.ndim > 2:  # the top layer of a 3-D grid
            values = values[-1]
        x, y = _cell_edges(item.axis)
        drawn = axes.pcolormesh(x, y, np.ma.masked_invalid(values), shading="flat")
        axes.set_aspect("equal")
    drawn.cmap.set_bad(alpha=0.0)
    figure.colorbar(drawn, ax=axes, label=_label(item))
    axes.set_xlabel("x [%s]" % item.axis.unit)
    axes.set_ylabel("y [%s]" % item.axis.unit)
    axes.set_title("%s at %s" % (item.name, _time_text(f, step)))
