# shellcheck shell=bash
# A network share on this machine alone, sourced by the scripts that need one: a private sshd on
# 127.0.0.1 with keys made for this run, and a folder of this machine mounted from it through
# sshfs. Nothing of it outlives the run's own folder.
#   loopback_missing            prints what this machine lacks for it; fails when it lacks nothing
#   loopback_start WORK         starts sshd with its keys and settings in WORK; sets loopback_port
#   loopback_mount WORK FOLDER MOUNTPOINT [SSHFS OPTION...]   mounts FOLDER at MOUNTPOINT
#   loopback_stop WORK          stops the sshd started in WORK

loopback_missing() {
    local tool
    if ((EUID != 0)); then
        echo "not root"
        return 0
    fi
    for tool in /usr/sbin/sshd ssh-keygen sshfs fusermount; do
        if ! command -v "$tool" >/dev/null; then
            echo "no $tool (apt-get install openssh-server sshfs)"
            return 0
        fi
    done
    if [[ ! -c /dev/fuse ]]; then
        echo "no /dev/fuse"
        return 0
    fi
    return 1
}

loopback_port=""
loopback_start() {
    local work="$1" candidate
    ssh-keygen -q -t ed25519 -N '' -f "$work/host_key"
    ssh-keygen -q -t ed25519 -N '' -f "$work/client_key"
    cp "$work/client_key.pub" "$work/authorized_keys"
    chmod 600 "$work/authorized_keys"
    mkdir -p /run/sshd # sshd's own privilege separation folder
    # The first free port of a few: sshd says at once when it cannot bind one.
    for candidate in $(shuf -i 20000-60000 -n 20); do
        cat >"$work/sshd_config" <<EOF
ListenAddress 127.0.0.1
Port $candidate
HostKey $work/host_key
AuthorizedKeysFile $work/authorized_keys
AuthenticationMethods publickey
PasswordAuthentication no
KbdInteractiveAuthentication no
PermitRootLogin prohibit-password
StrictModes no
UsePAM no
PidFile $work/sshd.pid
Subsystem sftp internal-sftp
EOF
        if /usr/sbin/sshd -f "$work/sshd_config" -E "$work/sshd.log" 2>/dev/null; then
            loopback_port="$candidate"
            return 0
        fi
    done
    return 1
}

loopback_mount() {
    local work="$1" folder="$2" mountpoint="$3"
    shift 3
    sshfs -p "$loopback_port" -o "IdentityFile=$work/client_key,BatchMode=yes" \
        -o "StrictHostKeyChecking=no,UserKnownHostsFile=/dev/null,LogLevel=ERROR" "$@" \
        "root@127.0.0.1:$folder" "$mountpoint"
}

loopback_stop() {
    [[ -f "$1/sshd.pid" ]] && kill "$(cat "$1/sshd.pid")" 2>/dev/null
    return 0
}
