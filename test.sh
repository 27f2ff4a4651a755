#!/usr/bin/env bash
# Builds VELDRAN and runs every test through CTest: once as a normal build, once built with
# AddressSanitizer and UndefinedBehaviorSanitizer; the tests of the serial engine, of the capture
# prefetch and of the decode library also run built with ThreadSanitizer.
set -euo pipefail
cd "$(dirname "$0")"
scripts/install-deps.sh
export QT_QPA_PLATFORM=offscreen
jobs=$(nproc)

cmake -S . -B build/test -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
scripts/check-deps.sh build/test
cmake --build build/test -j "$jobs"
ctest --test-dir build/test --output-on-failure -j "$jobs"

cmake -S . -B build/asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DVELDRAN_SANITIZE=ON -DVELDRAN_BUILD_BENCH=OFF >/dev/null
cmake --build build/asan -j "$jobs"
ASAN_OPTIONS=detect_leaks=0 UBSAN_OPTIONS=print_stacktrace=1 \
  ctest --test-dir build/asan --output-on-failure -j "$jobs"

# The threads under ThreadSanitizer: the Qt-free serial engine, the capture prefetch, the tests'
# child-process runner, and the decoding runs whose annotations arrive on libsigrokdecode's threads.
cmake -S . -B build/tsan -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVELDRAN_SANITIZE_THREAD=ON \
  -DVELDRAN_BUILD_BENCH=OFF >/dev/null
cmake --build build/tsan -j "$jobs" --target test_serial_reception test_serial_open test_sim_link test_ui_handover \
  document_capture_prefetch support_child_process decode_library
TSAN_OPTIONS="halt_on_error=1 suppressions=$PWD/tests/link_serial/tsan.supp" ctest --test-dir build/tsan --output-on-failure -j "$jobs" \
  -R '^(test_serial_reception|test_serial_open|test_sim_link|test_ui_handover|document_capture_prefetch|support_child_process|decode_library)$'
