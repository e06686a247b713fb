# The errors of the module velloran. The module runs this file in its own
# namespace as it is imported (it is built into the module), so the classes
# are velloran.Error and its kin, and _error_message is the module's own:
# the messages of the C++ core. (No docstring here: it would be the module's.)
# pylint: disable=undefined-variable


class Error(Exception):
    """An automation error of Velloran.

    number is the error number a script host would see in Err.Number: 5
    (invalid argument), 6 (overflow), 9 (subscript out of range), 91 (object
    not set) or a file error from 52 to 76; str(error) is its classic message.
    An invalid argument is also a ValueError, a subscript out of range an
    IndexError, and a file error an OSError (see FileError).
    """

    def __init__(self, number, message=None):
        Error._check(number)
        if message is None:
            message = _error_message(number)
        super().__init__(number, message)
        self.number = number
        self.message = message

    def __str__(self):
        return self.message

    @staticmethod
    def _check(number):
        if not isinstance(number, int):
            raise TypeError("velloran.Error takes an error number (an int) first, not %s" % type(number).__name__)


class ArgumentError(Error, ValueError):
    """Error 5, invalid procedure call or argument: also a ValueError."""


class SubscriptError(Error, IndexError):
    """Error 9, subscript out of range: also an IndexError."""


class FileError(Error, OSError):
    """A file error (52 to 76), also an OSError with errno, strerror and filename:
    FileNotFound (53 file not found, 76 path not found) is a FileNotFoundError,
    PermissionDenied (70) a PermissionError."""

    def __init__(self, number, message=None, filename=None):
        import errno
        import os
        Error._check(number)
        if message is None:
            message = _error_message(number)
        code = {52: errno.EINVAL, 53: errno.ENOENT, 61: errno.ENOSPC, 70: errno.EACCES,
                75: errno.EIO, 76: errno.ENOENT}.get(number, errno.EIO)
        # A folder is refused with 75, which is EISDIR for the file system.
        if number == 75 and filename is not None and os.path.isdir(filename):
            code = errno.EISDIR
        if filename is None:
            OSError.__init__(self, code, message)
        else:
            OSError.__init__(self, code, message, filename)
        self.number = number
        self.message = message

    def __str__(self):
        return self.message if self.filename is None else "%s: %r" % (self.message, self.filename)


class FileNotFound(FileError, FileNotFoundError):
    """Error 53 (file not found) or 76 (path not found)."""


class PermissionDenied(FileError, PermissionError):
    """Error 70, permission denied."""


def _error_class(number):
    if number == 5:
        return ArgumentError
    if number == 9:
        return SubscriptError
    if number in (53, 76):
        return FileNotFound
    if number == 70:
        return PermissionDenied
    if 52 <= number <= 76:
        return FileError
    return Error
