"""Reading, writing and conversion leave the interpreter free: other
threads run meanwhile, and threads reading files side by side get what one
thread gets alone."""

import shutil
import sys
import threading
import time
from concurrent.futures import ThreadPoolExecutor

import numpy as np

import koracore
from koracore import units


def _ticks_during(work):
    """How often another Python thread got to run while `work` ran.

    Callers ask only whether it ran at all: on a loaded machine the other
    thread may get the processor for a moment only, but while the lock is
    held it cannot run even once.

    The interpreter is kept from handing its lock around by time (the
    switch interval is made very long), and the other thread gives it back
    after every tick: so it ticks only while `work` runs without holding
    the interpreter lock."""
    ticks, running, done = [0], threading.Event(), threading.Event()

    def tick():
        running.set()
        while not done.is_set():
            ticks[0] += 1
            time.sleep(0)  # hands the interpreter lock back

    interval = sys.getswitchinterval()
    sys.setswitchinterval(100.0)
    ticker = threading.Thread(target=tick)
    try:
        ticker.start()
        running.wait()
        before = ticks[0]
        work()
        return ticks[0] - before
    finally:
        done.set()
        ticker.join()
        sys.setswitchinterval(interval)


def test_conversion_and_reading_release_the_interpreter(demo_files):
    # The yardstick: pure Python holds the lock all the time.
    assert _ticks_during(lambda: sum(range(3_000_000))) < 10
    values = np.ones(30_000_000, np.float32)
    assert _ticks_during(lambda: units.convert(values, "m", "ft", out=values)) > 0
    bay, _ = demo_files
    with koracore.open(bay) as f:
        assert _ticks_during(lambda: [f.read(n) for n in (1, 2, 3) for _ in range(3)]) > 0


def test_threads_reading_different_files_get_what_one_thread_gets(demo_files, tmp_path):
    bay, _ = demo_files
    copies = [shutil.copy(bay, tmp_path / ("copy%d.dfs" % n)) for n in range(4)]
    with koracore.open(bay) as f:
        expected = {n: f.read(n) for n in (1, 2, 3)}

    def read_all(path):
        with koracore.open(path) as f:
            return {n: f.read(n) for n in (1, 2, 3)}

    with ThreadPoolExecutor(4) as pool:
        for got in pool.map(read_all, copies * 2):
            for n in expected:
                np.testing.assert_array_equal(got[n], expected[n])


def test_threads_sharing_one_file_take_turns(demo_files):
    bay, _ = demo_files
    with koracore.open(bay) as f:
        expected = f.read(2)
        order = np.random.default_rng(3).integers(0, f.steps, 200)
        with ThreadPoolExecutor(4) as pool:
            got = list(pool.map(lambda step: (step, f.read(2, int(step))), order))
        for step, values in got:
            np.testing.assert_array_equal(values, expected[step])


def test_projections_release_the_interpreter_and_share_a_transformer():
    from koracore import crs

    transformer = crs.Transformer(crs.LONG_LAT, "UTM-32")
    rng = np.random.default_rng(11)
    lon, lat = rng.uniform(3, 15, 2_000_000), rng.uniform(40, 70, 2_000_000)
    assert _ticks_during(lambda: transformer.transform(lon, lat)) > 0
    pieces = np.array_split(np.arange(lon.size), 8)
    expected = transformer.transform(lon, lat)
    with ThreadPoolExecutor(4) as pool:
        got = list(pool.map(lambda p: transformer.transform(lon[p], lat[p]), pieces))
    for piece, (x, y) in zip(pieces, got):
        np.testing.assert_array_equal(x, expected[0][piece])
        np.testing.assert_array_equal(y, expected[1][piece])
