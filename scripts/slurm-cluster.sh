#!/usr/bin/env bash
# Sourced, after progress.sh, by the workflow's test and benchmark: a one-node Slurm
# cluster on this machine, with a munge key, a configuration, state and logs of its own in
# one folder. start_slurm_cluster FOLDER starts munged, slurmctld and slurmd and waits for
# the node; stop_slurm_cluster cancels what is left of its jobs and ends the three (call it
# from an EXIT trap). Slurm's commands find the cluster through SLURM_CONF, which
# start_slurm_cluster exports.

SLURM_CLUSTER_PIDS=()

start_slurm_cluster() {
  local folder="$1"
  SLURM_CLUSTER_FOLDER=$folder
  rm -rf "$folder"
  mkdir -p "$folder"/{key,socket,state,spool,log}
  # munged refuses a key others may read, and a socket's folder others may not enter.
  chmod 700 "$folder/key"
  chmod 755 "$folder/socket"
  head -c 1024 /dev/urandom >"$folder/key/munge.key"
  chmod 400 "$folder/key/munge.key"
  local socket="$folder/socket/munge.socket"
  # --see: munged's option for its random-state file, by the unique prefix getopt takes.
  munged --foreground --key-file="$folder/key/munge.key" --socket="$socket" \
    --pid-file="$folder/key/pid" --see="$folder/key/random-state" \
    --log-file="$folder/log/munged.log" >"$folder/log/munged.out" 2>&1 &
  SLURM_CLUSTER_PIDS+=($!)
  MUNGE_SOCKET=$socket wait_until describe_munge 30 munge_answers || return 1

  # The node as slurmd finds it: its name, real cores and memory.
  local node name ports
  node=$(slurmd -C | head -n1) || return 1
  name=${node%% *}
  name=${name#NodeName=}
  ports=($(free_ports 2)) || return 1
  cat >"$folder/slurm.conf" <<CONF
ClusterName=workflow-test
SlurmctldHost=$name(127.0.0.1)
SlurmctldPort=${ports[0]}
SlurmdPort=${ports[1]}
AuthType=auth/munge
CredType=cred/munge
AuthInfo=socket=$socket
SlurmUser=root
SlurmdUser=root
StateSaveLocation=$folder/state
SlurmdSpoolDir=$folder/spool
SlurmctldPidFile=$folder/slurmctld.pid
SlurmdPidFile=$folder/slurmd.pid
SlurmctldLogFile=$folder/log/slurmctld.log
SlurmdLogFile=$folder/log/slurmd.log
ProctrackType=proctrack/linuxproc
TaskPlugin=task/none
MpiDefault=none
JobAcctGatherType=jobacct_gather/none
AccountingStorageType=accounting_storage/none
SchedulerType=sched/backfill
SelectType=select/cons_tres
SelectTypeParameters=CR_Core_Memory
ReturnToService=2
MailProg=/bin/true
$node NodeAddr=127.0.0.1 State=UNKNOWN
PartitionName=workflow-test Nodes=ALL Default=YES MaxTime=INFINITE State=UP
CONF
  export SLURM_CONF="$folder/slurm.conf"
  slurmctld -D -f "$SLURM_CONF" >"$folder/log/slurmctld.out" 2>&1 &
  SLURM_CLUSTER_PIDS+=($!)
  slurmd -D -f "$SLURM_CONF" -N "$name" >"$folder/log/slurmd.out" 2>&1 &
  SLURM_CLUSTER_PIDS+=($!)
  wait_until describe_slurm_node 60 slurm_node_idle
}

stop_slurm_cluster() {
  [ ${#SLURM_CLUSTER_PIDS[@]} -eq 0 ] && return 0
  local status=0
  # A job's processes run under slurmstepd, which outlives slurmd: the jobs end first.
  if [ -n "${SLURM_CONF:-}" ] && squeue --noheader >/dev/null 2>&1; then
    scancel --partition=workflow-test 2>/dev/null
    wait_until describe_slurm_jobs 60 slurm_jobs_gone || status=1
  fi
  local pid
  for pid in "${SLURM_CLUSTER_PIDS[@]}"; do kill "$pid" 2>/dev/null; done
  for pid in "${SLURM_CLUSTER_PIDS[@]}"; do
    WAITED_DESCRIPTION="the Slurm cluster's daemons to end" WAITED_PID=$pid \
      wait_until describe_waited_process 30 waited_process_ended || { kill -9 "$pid" 2>/dev/null; status=1; }
  done
  SLURM_CLUSTER_PIDS=()
  return $status
}

# free_ports N: N TCP ports of the loopback address that nothing listens on now.
free_ports() {
  python3 -c '
import socket, sys
sockets = [socket.socket() for _ in range(int(sys.argv[1]))]
for s in sockets:
    s.bind(("127.0.0.1", 0))
print(" ".join(str(s.getsockname()[1]) for s in sockets))' "$1"
}

munge_answers() { munge --socket="$MUNGE_SOCKET" --no-input >/dev/null 2>&1 || return 1; }
describe_munge() { echo "waiting for munged to answer on $MUNGE_SOCKET (log: $SLURM_CLUSTER_FOLDER/log/munged.log)"; }
slurm_node_idle() { [ "$(sinfo --noheader --format=%T 2>/dev/null)" = idle ]; }
describe_slurm_node() { echo "waiting for the Slurm node to be idle (logs: $SLURM_CLUSTER_FOLDER/log)"; }
slurm_jobs_gone() { [ -z "$(squeue --noheader 2>/dev/null)" ]; }
describe_slurm_jobs() { echo "waiting for the Slurm cluster's jobs to end: $(squeue --noheader --format=%i 2>/dev/null | tr '\n' ' ')"; }
