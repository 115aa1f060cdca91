#!/usr/bin/env bash
# Unmounts the small disks of disks_setup.sh once the shredder's tests have run.
exec bash "$(dirname "$0")/disks_setup.sh" --unmount
