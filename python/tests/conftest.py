"""The module under test is the one built into <build>/python (PYTHONPATH, which CTest sets)."""
import pytest


def pytest_configure(config):
    try:
        import qor  # noqa: F401
    except ImportError as error:
        raise pytest.UsageError(
            f"cannot import the module qor ({error}): build the target qor_python and run with "
            "PYTHONPATH=<build>/python, as ctest does") from error
