"""Exceptions of the koracore package.

Every failure the libraries report arrives as a subclass of `Error` that is
also the built-in exception a Python programmer expects: `FileNotFoundError`
for a missing file, `ValueError` (as `FileFormatError` or `UnitError`) for a
damaged file, an unknown unit or projection, `OSError` for failed input and output. The
message carries the library's own text for its status code; `library`,
`code` and `path` keep the details.
"""

import errno
import os

__all__ = ["Error", "FileFormatError", "UnitError", "ProjectionError", "LibraryOSError",
           "MissingFileError"]


class Error(Exception):
    """A failure reported by one of the koracore libraries."""

    library = None  #: "kfs", "qty" or "KvCart"
    code = None  #: the library's status code
    text = None  #: the library's text for the code
    path = None  #: the file involved, if any

    def _describe(self, library, code, text, path):
        self.library, self.code, self.text, self.path = library, code, text, path or None


class FileFormatError(Error, ValueError):
    """The file is not a data file, or it is damaged or cut short."""


class UnitError(Error, ValueError):
    """An unknown unit or item type, or a unit that does not fit."""


class ProjectionError(Error, ValueError):
    """A projection text that names no coordinate system the projection
    library knows, or a definition that is not in its database."""

    library = "KvCart"


class LibraryOSError(Error, OSError):
    """Input or output failed."""


class MissingFileError(Error, FileNotFoundError):
    """The file does not exist."""


class _ArgumentError(Error, ValueError):
    """Arguments the library refused."""


# Codes of the data-file library by what they mean for the caller.
_KFS_FORMAT = {2001, 2009, 2013, 2014, 2016, 2017, 2019}
_KFS_IO = {2002, 2004, 2005, 2006, 2015}
_KFS_READING = ("open", "read", "find")


def _open_failure(path, text):
    """2003: tell the reasons the operating system would give apart."""
    if not path or not os.path.lexists(path):
        return MissingFileError(errno.ENOENT, text, path)
    if os.path.isdir(path):
        return _with_class(IsADirectoryError)(errno.EISDIR, text, path)
    if not os.access(path, os.R_OK):
        return _with_class(PermissionError)(errno.EACCES, text, path)
    return LibraryOSError(errno.EIO, text, path)


_derived = {}


def _with_class(builtin):
    if builtin not in _derived:
        _derived[builtin] = type(builtin.__name__, (Error, builtin), {"__module__": __name__})
    return _derived[builtin]


def _kfs_exception(code, message, text, doing, path):
    if code == 2003:
        return _open_failure(path, text)
    if code == 2000:
        return _with_class(MemoryError)(message)
    if code in _KFS_IO:
        return LibraryOSError(errno.EIO, message, path)
    if code in _KFS_FORMAT or (code in (2010, 2018) and doing.startswith(_KFS_READING)):
        return FileFormatError(message)
    if code == 2020:
        return UnitError(message)
    return _ArgumentError(message)


def from_status(library, code, text, doing="", path=""):
    """The exception for status `code` of `library`, its message built from
    the library's `text`, what was being done and the file involved."""
    where = "%s: " % path if path else ""
    message = "%s%s%s (%s status %d)" % (where, "cannot %s: " % doing if doing else "", text,
                                        library, code)
    if library == "kfs":
        exception = _kfs_exception(code, message, text, doing, path)
    elif library == "qty":
        exception = UnitError(message)
    else:
        exception = _ArgumentError(message)
    exception._describe(library, code, text, path)
    return exception
