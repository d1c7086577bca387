#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs a Debian package of binrot with apt, as a user would, opens the installed program
# with the real window's check on a private X server, and removes the package again.
# Usage: installed_package_check.sh path/to/binrot.deb|binrot   (as root; binrot: from the
#                                                          machine's apt sources)
set -euo pipefail
package=$1
[[ ! -f $package ]] || package=$(realpath "$package")
here=$(dirname "$0")

trap 'apt-get purge -y -q binrot >/dev/null 2>&1 || true' EXIT
DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "$package" >/dev/null
"$here/with_xvfb.sh" "$here/real_window_check.sh" /usr/bin/binrot
echo "$(basename "$package"): installed on Debian $(cat /etc/debian_version), its window works"
