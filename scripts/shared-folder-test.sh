#!/usr/bin/env bash
# Runs the shared-folder test (two and five copies of the program on one folder) in a folder of a
# mounted network share, the way an office keeps its program folder:
#
#     bash scripts/shared-folder-test.sh /mnt/ufficio
#
# The folder must be writable; the test works in a new sub-folder of it and removes it after.
# The build is the one in build/ (CALVETRA_BUILD to use another). The script says which kind of
# file system the folder is on; on a local disk the test runs all the same, as in the suite.
set -euo pipefail
cd "$(dirname "$0")/.."
folder=${1:?"usage: $0 <folder on the mounted share>"}
build=${CALVETRA_BUILD:-build}
[ -d "$folder" ] && [ -w "$folder" ] || { echo "$folder: not a writable folder" >&2; exit 2; }
kind=$(stat -f -c %T "$folder")
case "$kind" in
  nfs|nfs4|cifs|smb2|smb3) echo "shared-folder test on $folder ($kind)" ;;
  *) echo "note: $folder is on '$kind', not on an NFS or SMB mount" ;;
esac
cmake --build "$build" --target tst_sharedfolder >/dev/null
CALVETRA_SHARED_DIR=$(cd "$folder" && pwd) QT_QPA_PLATFORM=offscreen QTEST_FUNCTION_TIMEOUT=600000 \
  "$build/tests/tst_sharedfolder"
