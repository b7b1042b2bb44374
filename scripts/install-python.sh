#!/bin/sh
# Builds the Python module quarn for Debian's own interpreter (/usr/bin/python3, or the one
# named by $PYTHON) and installs it with the library under /usr/local, where that
# interpreter looks for modules: afterwards `python3 -c "import quarn"` works without setting
# any path. Installs the Debian packages it needs when they are missing; downloads nothing
# else. Uses sudo only when not run as root. Run from the top of the clone.
set -eu
python="${PYTHON:-/usr/bin/python3}"
build="${QUARN_PYTHON_BUILD:-build-python}"
sh scripts/install-deps.sh --python
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release -DQUARN_BUILD_PYTHON=ON \
    -DPython3_EXECUTABLE="$python" -DQUARN_BUILD_TESTS=OFF -DQUARN_BUILD_BENCH=OFF
cmake --build "$build" -j2
if [ "$(id -u)" -eq 0 ]; then
    cmake --install "$build"
else
    sudo cmake --install "$build"
fi
# Checked from elsewhere than the clone, as a user runs it.
(cd / && "$python" -c "import quarn; print('quarn is installed for', quarn.__file__)")
