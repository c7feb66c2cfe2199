"""Where the package finds the shipped data: the unit table and the
projection definitions.

The libraries look in the data folder compiled into them (and in the source
tree they were built from). An installed package also looks in its own
prefix, found relative to the package itself, so that a prefix that was
moved or copied elsewhere still finds its own data. KORA_HOME, when set,
chooses the folder for the libraries and the package alike.
"""

import os

from . import _koracore


def installed_file(name):
    """The path of `name` in the data folder of the prefix the package lies
    in; None in a build tree, when KORA_HOME is set or when the file is not
    there."""
    if os.environ.get("KORA_HOME"):
        return None
    here = os.path.dirname(os.path.abspath(__file__))
    path = os.path.normpath(os.path.join(here, _koracore.package_to_data, name))
    return path if os.path.isfile(path) else None
