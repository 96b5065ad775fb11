#!/usr/bin/env bash
# Tells Snakemake how a Slurm job stands: running, success or failed. scontrol knows a job
# until some minutes after its end (MinJobAge); after that sacct, where accounting is on.
set -uo pipefail
job="$1"
state=$(scontrol show job --oneliner "$job" 2>/dev/null | grep -o 'JobState=[A-Z_]*' | cut -d= -f2)
[ -n "$state" ] || state=$(sacct --noheader --allocations --parsable2 --format=State --jobs "$job" 2>/dev/null | head -n1)
case "${state%% *}" in
  COMPLETED) echo success ;;
  PENDING | CONFIGURING | RUNNING | COMPLETING | SUSPENDED | REQUEUED | REQUEUE_FED | REQUEUE_HOLD | \
  RESIZING | SIGNALING | STAGE_OUT) echo running ;;
  "")
    echo "status.sh: neither scontrol nor sacct knows Slurm job $job" >&2
    exit 1
    ;;
  *) echo failed ;;
esac
