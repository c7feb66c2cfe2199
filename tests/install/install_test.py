#!/usr/bin/env python3
"""Installs the build into a scratch prefix, moves the prefix, and uses it as
a program of someone else's would.

- the prefix holds the public headers and nothing else under include/;
- no installed library or program has a run path outside $ORIGIN;
- the examples of docs/examples build against the moved prefix with
  find_package(KoraCore) and, the C and C++ data-file and projection
  examples, with pkg-config; all run with an empty environment: they find
  the libraries through their run paths, and the unit table and the
  projection definitions through the data search;
- the installed tools answer --version from the moved prefix, and kvcart
  finds the shipped projection definitions there.

usage: install_test.py --build DIR --source DIR --work DIR --headers FILE
                       --cc CC --cxx CXX [--libdir lib] [--flags "EXTRA FLAGS"]
"""

import argparse
import os
import shlex
import shutil
import subprocess
import sys

# Lines each example must print (a part of its output is enough).
EXPECTED = {
    "kfs_example": "step 2: water level 1.00 1.10 1.20 1.30 meter",
    "kfs_example_cpp": "step 2: water level 1.00 1.10 1.20 1.30 meter",
    "qty_example": "10 ft = 3.0480 m",
    "qty_example_cpp": "  51.8 °F",
    "rcf_example": "unit table found",
    "rcf_example_cpp": "WGS 1984: a = 6378137.0 m, 1/f = 298.257223563",
    "kvcart_example": "1.5 W 52.5 N: E 433938.2 m, N 289280.2 m",
    "kvcart_example_cpp": "UTM-32 grid: 10.2 E 56.1 N at x 5200.7 m, y 15875.9 m",
}

# The programs built with pkg-config: (package, program, language, source).
PKG_CONFIG_BUILDS = (
    ("kfs-koracore", "kfs_example", "c", "kfs_example.c"),
    ("kfs-koracore", "kfs_example_cpp", "c++", "kfs_example.cpp"),
    ("KvCart-koracore", "kvcart_example", "c", "kvcart_example.c"),
    ("KvCart-koracore", "kvcart_example_cpp", "c++", "kvcart_example.cpp"),
)


# The library folder under the prefix (--libdir).
LIBDIR = "lib"


class Failure(Exception):
    pass


def run(command, cwd=None, env=None):
    """Runs a command; its output, or Failure with the command and output."""
    done = subprocess.run(command, cwd=cwd, env=env, capture_output=True, text=True)
    if done.returncode != 0:
        raise Failure("%s exited with %d\n%s%s" % (" ".join(map(shlex.quote, command)),
                                                   done.returncode, done.stdout, done.stderr))
    return done.stdout


def run_clean(program, cwd):
    """Runs a program with no environment variable at all."""
    return run(["env", "-i", program], cwd=cwd, env={})


def install_and_move(build, work):
    staged = os.path.join(work, "staged")
    moved = os.path.join(work, "moved", "elsewhere")
    for folder in (staged, os.path.dirname(moved)):
        shutil.rmtree(folder, ignore_errors=True)
    run(["cmake", "--install", build, "--prefix", staged])
    os.makedirs(os.path.dirname(moved))
    shutil.move(staged, moved)
    print("installed, then moved to", moved)
    return moved


def check_headers(prefix, headers_file):
    with open(headers_file) as f:
        listed = {line.strip() for line in f if line.strip()}
    root = os.path.join(prefix, "include", "koracore")
    installed = set()
    for folder, _, files in os.walk(root):
        for name in files:
            installed.add(os.path.relpath(os.path.join(folder, name), root))
    if installed != listed:
        raise Failure("installed headers differ from the public ones: extra %s, missing %s"
                      % (sorted(installed - listed), sorted(listed - installed)))
    print("%d public headers installed, no others" % len(installed))


def elf_files(prefix):
    for sub in ("bin", LIBDIR):
        for folder, _, files in os.walk(os.path.join(prefix, sub)):
            for name in files:
                path = os.path.join(folder, name)
                if os.path.islink(path):
                    continue
                with open(path, "rb") as f:
                    if f.read(4) == b"\x7fELF":
                        yield path


def check_run_paths(prefix):
    count = 0
    for path in elf_files(prefix):
        dynamic = run(["readelf", "-d", path])
        for line in dynamic.splitlines():
            if "(RUNPATH)" in line or "(RPATH)" in line:
                value = line.split("[", 1)[1].rstrip("]")
                for entry in value.split(":"):
                    if not entry.startswith("$ORIGIN"):
                        raise Failure("%s has the run path %s" % (path, entry))
        count += 1
    print("%d installed binaries, run paths relative to themselves only" % count)


def check_output(name, output):
    if EXPECTED[name] not in output.splitlines():
        raise Failure("%s printed\n%s\nwithout the line %r" % (name, output, EXPECTED[name]))


def build_with_find_package(args, prefix):
    build = os.path.join(args.work, "find_package")
    shutil.rmtree(build, ignore_errors=True)
    flags = args.flags or ""
    run(["cmake", "-S", os.path.join(args.source, "docs", "examples"), "-B", build,
         "-DCMAKE_PREFIX_PATH=" + prefix, "-DCMAKE_C_COMPILER=" + args.cc,
         "-DCMAKE_CXX_COMPILER=" + args.cxx, "-DCMAKE_C_FLAGS=" + flags,
         "-DCMAKE_CXX_FLAGS=" + flags, "-DCMAKE_EXE_LINKER_FLAGS=" + flags])
    run(["cmake", "--build", build])
    for name in sorted(EXPECTED):
        check_output(name, run_clean(os.path.join(build, name), cwd=build))
    print("find_package(KoraCore): %d examples built and run" % len(EXPECTED))


def pkg_config(prefix, *arguments):
    env = {"PATH": os.environ.get("PATH", "/usr/bin:/bin"),
           "PKG_CONFIG_LIBDIR": os.path.join(prefix, LIBDIR, "pkgconfig")}
    return shlex.split(run(["pkg-config"] + list(arguments), env=env))


def build_with_pkg_config(args, prefix):
    folder = os.path.join(args.work, "pkg_config")
    shutil.rmtree(folder, ignore_errors=True)
    os.makedirs(folder)
    flags = shlex.split(args.flags or "")
    libdir = pkg_config(prefix, "--variable=libdir", "kfs-koracore")[0]
    if not os.path.samefile(libdir, os.path.join(prefix, LIBDIR)):
        raise Failure("pkg-config names the library folder %s, not the moved one" % libdir)
    examples = os.path.join(args.source, "docs", "examples")
    for package, name, language, source in PKG_CONFIG_BUILDS:
        cflags = pkg_config(prefix, "--cflags", package)
        libs = pkg_config(prefix, "--libs", package)
        compiler = args.cc if language == "c" else args.cxx
        program = os.path.join(folder, name)
        run([compiler] + flags + cflags + [os.path.join(examples, source), "-o", program] +
            libs + ["-Wl,-rpath," + libdir])
        check_output(name, run_clean(program, cwd=folder))
    print("pkg-config kfs-koracore, KvCart-koracore: C and C++ examples built and run")


def check_tools(prefix):
    tools = sorted(name for name in os.listdir(os.path.join(prefix, "bin"))
                   if not name.endswith(".py"))
    for name in tools:
        output = run(["env", "-i", os.path.join(prefix, "bin", name), "--version"],
                     cwd=prefix, env={})
        if not output.startswith(name + " "):
            raise Failure("%s --version printed %r" % (name, output))
    print("tools answer --version: %s" % ", ".join(tools))
    # kvcart finds the shipped projection definitions from the moved prefix.
    grid = run(["env", "-i", os.path.join(prefix, "bin", "kvcart"), "show", "--proj4",
                "OSGB36 / British National Grid"], cwd=prefix, env={})
    if not grid.startswith("+proj=tmerc"):
        raise Failure("kvcart show printed %r" % grid)
    print("kvcart reads the shipped definitions")


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    for option in ("--build", "--source", "--work", "--headers", "--cc", "--cxx"):
        parser.add_argument(option, required=True)
    parser.add_argument("--flags", default="")
    parser.add_argument("--libdir", default="lib")
    args = parser.parse_args()
    global LIBDIR
    LIBDIR = args.libdir
    try:
        prefix = install_and_move(args.build, args.work)
        check_headers(prefix, args.headers)
        check_run_paths(prefix)
        build_with_find_package(args, prefix)
        build_with_pkg_config(args, prefix)
        check_tools(prefix)
    except Failure as failure:
        print("FAILED:", failure)
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
