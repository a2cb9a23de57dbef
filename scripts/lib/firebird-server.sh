# shellcheck shell=bash
# A private Firebird server for tests, listening on 127.0.0.1 only. Source this file, then:
#
#   start_firebird_test_server   # exports REELNEST_FB_SERVER=127.0.0.1/<port>
#   ...run the tests...
#   stop_firebird_test_server    # stops the server and removes its folder
#
# The server runs as the current user (so it can open the files the tests create) from a private
# configuration root: a folder of symlinks to the installed Firebird files with its own
# firebird.conf (a free port, bound to 127.0.0.1), its own lock folder and its own security
# database in which SYSDBA's password is "tavernoak". Nothing of the system's Firebird setup is
# changed, and no system service is needed.

_reelnest_fb_pid=""
_reelnest_fb_root=""

# Prints a failure; the caller returns 1 itself (so "set -e" in the sourcing script does not cut
# the clean-up short).
_reelnest_fb_fail() {
  echo "firebird-server: $*" >&2
}

# The installed Firebird root: the folder that holds plugins/libEngine12.so and firebird.msg.
_reelnest_fb_install_root() {
  local dir
  for dir in /usr/lib/*/firebird/3.0 /usr/lib/firebird/3.0 /opt/firebird; do
    if [ -e "$dir/plugins/libEngine12.so" ] && [ -e "$dir/firebird.msg" ]; then
      echo "$dir"
      return 0
    fi
  done
  return 1
}

# True when something accepts connections on 127.0.0.1:$1.
_reelnest_fb_port_busy() {
  (exec 3<>"/dev/tcp/127.0.0.1/$1") 2>/dev/null
}

_reelnest_fb_answers() {
  fbsvcmgr "127.0.0.1/$1:service_mgr" user SYSDBA password tavernoak info_server_version >/dev/null 2>&1
}

# Every listening TCP socket of the process must be on 127.0.0.1.
_reelnest_fb_check_bind() {
  local pid=$1 port=$2 sockets address found=0
  if ! command -v ss >/dev/null 2>&1; then
    echo "firebird-server: 'ss' (iproute2) is missing; cannot double-check the bind address" >&2
    return 0
  fi
  sockets=$(ss -Hltnp 2>/dev/null | grep "pid=$pid," || true)
  for address in $(echo "$sockets" | awk '{print $4}'); do
    case "$address" in
      "127.0.0.1:$port") found=1 ;;
      127.0.0.1:*) ;;
      *)
        _reelnest_fb_fail "the server listens beyond 127.0.0.1:"$'\n'"$sockets"
        return 1
        ;;
    esac
  done
  if [ "$found" != 1 ]; then
    _reelnest_fb_fail "the server (pid $pid) does not listen on 127.0.0.1:$port:"$'\n'"$sockets"
    return 1
  fi
}

_reelnest_fb_write_conf() {
  local root=$1 port=$2
  cat >"$root/firebird.conf" <<EOF
RemoteServicePort = $port
RemoteBindAddress = 127.0.0.1
SecurityDatabase = $root/security3.fdb
ServerMode = Super
UdfAccess = None
EOF
}

start_firebird_test_server() {
  if [ -n "$_reelnest_fb_pid" ] && kill -0 "$_reelnest_fb_pid" 2>/dev/null; then
    return 0
  fi
  local install server isql entry name root port pid waited
  install=$(_reelnest_fb_install_root) || {
    _reelnest_fb_fail "no Firebird 3 installation found (package firebird3.0-server-core)"
    return 1
  }
  server=/usr/sbin/firebird
  [ -x "$server" ] || { _reelnest_fb_fail "$server is missing (package firebird3.0-server)"; return 1; }
  isql=$(command -v isql-fb || command -v isql) || {
    _reelnest_fb_fail "isql-fb is missing (package firebird3.0-utils)"
    return 1
  }
  command -v fbsvcmgr >/dev/null 2>&1 || { _reelnest_fb_fail "fbsvcmgr is missing (package firebird3.0-utils)"; return 1; }

  root=$(mktemp -d "${TMPDIR:-/tmp}/reelnest-fbserver-XXXXXX") || return 1
  chmod 700 "$root"
  _reelnest_fb_root=$root
  for entry in "$install"/*; do
    name=$(basename "$entry")
    case "$name" in
      firebird.conf | databases.conf | firebird.log) ;;
      *) ln -s "$entry" "$root/$name" ;;
    esac
  done
  mkdir -m 700 "$root/lock"
  printf 'security.db = %s\n' "$root/security3.fdb" >"$root/databases.conf"
  # Written before isql runs: CREATE USER goes to the configured security database, which must
  # be ours and never the system's.
  _reelnest_fb_write_conf "$root" 0

  # A fresh security database of our own (the system's copy is readable by the firebird user
  # only); the user manager creates its tables on the first CREATE USER.
  if ! printf "create database '%s';\ncreate user SYSDBA password 'tavernoak' using plugin Srp;\ncommit;\n" \
    "$root/security3.fdb" |
    env -u ISC_USER -u ISC_PASSWORD FIREBIRD="$root" FIREBIRD_LOCK="$root/lock" \
      "$isql" -q -user SYSDBA >"$root/security.log" 2>&1; then
    cat "$root/security.log" >&2
    _reelnest_fb_fail "could not create the security database"
    stop_firebird_test_server
    return 1
  fi

  for _ in 1 2 3 4 5; do
    port=$((20000 + (RANDOM % 20000)))
    _reelnest_fb_port_busy "$port" && continue
    _reelnest_fb_write_conf "$root" "$port"
    env -u ISC_USER -u ISC_PASSWORD FIREBIRD="$root" FIREBIRD_LOCK="$root/lock" \
      "$server" </dev/null >"$root/server.log" 2>&1 &
    pid=$!
    _reelnest_fb_pid=$pid
    waited=0
    while [ "$waited" -lt 60 ]; do # 30 seconds
      if ! kill -0 "$pid" 2>/dev/null; then
        break
      fi
      if _reelnest_fb_answers "$port"; then
        if ! _reelnest_fb_check_bind "$pid" "$port"; then
          stop_firebird_test_server
          return 1
        fi
        export REELNEST_FB_SERVER="127.0.0.1/$port"
        echo "firebird-server: test server (pid $pid) at $REELNEST_FB_SERVER"
        return 0
      fi
      sleep 0.5
      waited=$((waited + 1))
    done
    if kill -0 "$pid" 2>/dev/null; then
      cat "$root/server.log" >&2
      _reelnest_fb_fail "the server on 127.0.0.1:$port did not answer within 30 seconds"
      stop_firebird_test_server
      return 1
    fi
    # It exited (most likely the port was taken meanwhile): try another port.
    wait "$pid" 2>/dev/null || true
    _reelnest_fb_pid=""
  done
  cat "$root/server.log" >&2
  _reelnest_fb_fail "the server would not start (log above)"
  stop_firebird_test_server
  return 1
}

stop_firebird_test_server() {
  local pid=$_reelnest_fb_pid waited=0
  if [ -n "$pid" ] && kill -0 "$pid" 2>/dev/null; then
    kill "$pid" 2>/dev/null || true
    while kill -0 "$pid" 2>/dev/null && [ "$waited" -lt 40 ]; do # 20 seconds
      sleep 0.5
      waited=$((waited + 1))
    done
    if kill -0 "$pid" 2>/dev/null; then
      kill -9 "$pid" 2>/dev/null || true
    fi
    wait "$pid" 2>/dev/null || true
  fi
  _reelnest_fb_pid=""
  if [ -n "$_reelnest_fb_root" ]; then
    rm -rf "$_reelnest_fb_root"
    _reelnest_fb_root=""
  fi
  unset REELNEST_FB_SERVER
  return 0
}
