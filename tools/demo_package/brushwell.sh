#!/bin/sh
# The Brushwell demo product: it only says that it runs.
printf 'Brushwell 1.7.9 (demo) is running from %s\n' "$(dirname -- "$0")"
