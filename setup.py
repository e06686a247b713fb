"""Builds the module `velloran` with the project's CMake.

pip install --no-build-isolation .   (and pip wheel --no-build-isolation .)
configure the core and the module in build/python-<version> and build only the
module, for the interpreter that runs pip.
"""
import os
import re
import shutil
import subprocess
import sys
from pathlib import Path

from setuptools import Extension, setup
from setuptools.command.build_ext import build_ext

ROOT = Path(__file__).resolve().parent


def project_version():
    text = (ROOT / "CMakeLists.txt").read_text()
    return re.search(r"project\(velloran VERSION ([0-9.]+)", text).group(1)


class CMakeBuild(build_ext):
    def build_extension(self, ext):
        build = ROOT / "build" / f"python-{sys.implementation.cache_tag}"
        configure = [
            "cmake", "-S", str(ROOT), "-B", str(build), "-G", "Ninja",
            "-DCMAKE_BUILD_TYPE=Release",
            f"-DPython_EXECUTABLE={sys.executable}",
            "-DVELLORAN_BUILD_PYTHON=ON",
            "-DVELLORAN_BUILD_TESTS=OFF",
            "-DVELLORAN_BUILD_BENCH=OFF",
            "-DVELLORAN_BUILD_EXAMPLES=OFF",
        ]
        subprocess.run(configure, check=True)
        jobs = os.environ.get("CMAKE_BUILD_PARALLEL_LEVEL", "2")
        subprocess.run(["cmake", "--build", str(build), "--target", "velloran_python", "-j", jobs], check=True)
        built = next((build / "python").glob("velloran*" + os.path.splitext(self.get_ext_filename("velloran"))[1]), None)
        if built is None:
            raise RuntimeError(f"CMake built no module in {build / 'python'}; are pybind11 and the Python headers there?")
        target = Path(self.get_ext_fullpath(ext.name))
        target.parent.mkdir(parents=True, exist_ok=True)
        shutil.copyfile(built, target)
        # The type stub sits beside the module, where editors look for it, and
        # again as a stub-only package (PEP 561), where mypy and pyright look.
        shutil.copyfile(ROOT / "python" / "velloran.pyi", target.parent / "velloran.pyi")
        (target.parent / "velloran-stubs").mkdir(exist_ok=True)
        shutil.copyfile(ROOT / "python" / "velloran.pyi", target.parent / "velloran-stubs" / "__init__.pyi")


# egg-info goes to build/, not into the checkout.
(ROOT / "build").mkdir(exist_ok=True)

setup(
    version=project_version(),
    ext_modules=[Extension("velloran", sources=[])],
    cmdclass={"build_ext": CMakeBuild},
    options={"egg_info": {"egg_base": "build"}},
)
