# Shared set-up of the classroom tests: a private network with one namespace
# per PC, a work folder, and a trap that stops the PCs' Wine servers, takes
# the network down and removes the work folder. Source it; don't run it.
source "$(dirname "${BASH_SOURCE[0]}")/../../tools/lib.sh"
kq_wine_env
tools="$KQ_ROOT/tools"

# classroom_begin PREFIX PC...: a network named PREFIX + this shell's process
# id with the named PCs (the first gets 198.18.1.10, the next .11, .12, ...).
# Sets $tag and $work.
classroom_begin() {
  tag="$1$$"
  shift
  classroom_pcs=("$@")
  work="$(mktemp -d "$KQ_BUILD/classroom-test.XXXXXX")"
  trap classroom_end EXIT
  "$tools/netns" up "$tag" "${classroom_pcs[@]}"
}

classroom_end() {
  local pc
  for pc in "${classroom_pcs[@]}"; do
    WINEPREFIX="$work/$pc/prefix" wineserver -k 2>/dev/null || true
  done
  "$tools/netns" down "$tag"
  rm -rf "$work"
}

# classroom_create PC ROLE [PC ROLE]...: sets the PCs up side by side (each
# start of Wine takes seconds); fails when any of them fails.
classroom_create() {
  local pids=() pid failed=0
  while [ "$#" -ge 2 ]; do
    "$tools/netns" exec "$tag" "$1" "$tools/pc" create "$work/$1" "$2" &
    pids+=($!)
    shift 2
  done
  for pid in "${pids[@]}"; do
    wait "$pid" || failed=1
  done
  return "$failed"
}

# classroom_run PC PROGRAM [ARGS...]: runs PROGRAM on the PC's own screen
# and network; returns its exit code.
classroom_run() {
  local pc="$1"
  shift
  "$tools/netns" exec "$tag" "$pc" "$tools/pc" run "$work/$pc" "${DISPLAY#:}" "$@"
}

# classroom_drive_c PC: the Unix path of the PC's C: drive.
classroom_drive_c() { printf '%s' "$work/$1/prefix/drive_c"; }

# classroom_text PC FILE: a file at the root of the PC's C: drive (the hosts'
# reports, the stand-ins' trace) as UTF-8 lines; nothing when it is missing.
classroom_text() { { iconv -f GBK -t UTF-8 -c <"$(classroom_drive_c "$1")/$2" | tr -d '\r'; } 2>/dev/null || true; }

# classroom_install_agent PC BIN SEAT VERSION_ID [FILE...]: installs the test
# agent (its environment check and power calls replaced) with the student
# modules from the Windows tree's bin folder BIN, and the FILEs beside it, on
# a student PC of the transport's test classroom (main port 2002, classroom
# 3), seated SEAT, with no backup copy of its configuration.
classroom_install_agent() {
  local pc="$1" bin="$2" seat="$3" version="$4" module
  shift 4
  local folder
  folder="$(classroom_drive_c "$pc")/Tutorium/Student"
  for module in Satchel.dll KqDesk.dll Quizhall.dll KqTransmit.dll KqCheck.dll; do
    cp "$bin/$module" "$folder/"
  done
  cp "$bin/student-lectern/Lectern.dll" "$bin/student-test-agent/Student.exe" "$@" "$folder/"
  printf '%s\r\n' '[NETADAPTER]' 'IPADDRESS=0.0.0.0' '[VER]' 'ClassRoomID=3' "VersionID=$version" 'version=0' \
    '[NETWORK]' 'MainPort=2002' 'MULti_MainIp=227.1.1.7' '[STUDENTNUMBER]' "number=$seat" \
    '[POSITION]' 'px=0' 'py=40' '[OS]' 'OSmajorversion1=10' >"$folder/student.ini"
  : >"$folder/register.ini"
  kq_reg_import "$work/$pc/prefix" <<'REG'
Windows Registry Editor Version 5.00

[HKEY_LOCAL_MACHINE\SOFTWARE\Quorvane\Tutorium\Student]
"BackupPath"=""
REG
}

# classroom_install_teacher PC BIN DEFAULTS [FILE...]: Teacher.exe with its
# modules, the teacher side of the transport and its help pages from the
# Windows tree's bin folder BIN, its default files from DEFAULTS and the
# FILEs beside it, on a teacher PC.
classroom_install_teacher() {
  local pc="$1" bin="$2" defaults="$3" module
  shift 3
  local folder
  folder="$(classroom_drive_c "$pc")/Tutorium/Teacher"
  for module in Teacher.exe resource.dll KqCheck.dll Quizhall.dll KqTransmit.dll KqVideoS.dll Proxyward.dll; do
    cp "$bin/$module" "$folder/"
  done
  cp "$bin/teacher-lectern/Lectern.dll" "$@" "$folder/"
  cp -r "$bin/help" "$folder/"
  cp -r "$defaults/." "$folder/"
}

# classroom_teacher_meets_test_hosts PC: the installed Teacher.exe joins the
# test hosts' classroom 3 without a ring file; the hosts are older than it,
# so their log-ons ask for the update, which it serves.
classroom_teacher_meets_test_hosts() {
  local folder
  folder="$(classroom_drive_c "$1")/Tutorium/Teacher"
  mkdir -p "$folder/Update"
  echo update >"$folder/Update/readme.txt"
  sed -i -e 's/^ClassroomID=.*/ClassroomID=3/' -e 's/^RingFile=.*/RingFile=C:\\missing.wav/' "$folder/Teacher.ini"
}

# classroom_install_test_hosts LECTERN HOST PC...: the student side of the
# transport LECTERN and its test host HOST on the student PCs.
classroom_install_test_hosts() {
  local lectern="$1" host="$2" pc
  shift 2
  for pc in "$@"; do
    cp "$lectern" "$host" "$(classroom_drive_c "$pc")/Tutorium/Student/"
  done
}

# classroom_teacher_lesson DRIVER SECONDS PC...: the transport's test hosts
# on the student PCs (a lesson of SECONDS), Teacher.exe on T and then its
# DRIVER (a program beside it, given the trace C:\trace.txt and its report
# C:\driver.txt); returns the driver's status once Teacher.exe has ended.
classroom_teacher_lesson() {
  local driver="$1" seconds="$2" pc teacher_pid status=0
  shift 2
  export KQ_TRACE='C:\trace.txt'
  for pc in "$@"; do
    classroom_run "$pc" Student/LecternStudentHost.exe 'C:\report.txt' "$seconds" stay &
  done
  classroom_run T Teacher/Teacher.exe &
  teacher_pid=$!
  classroom_run T "Teacher/$driver" 'C:\trace.txt' 'C:\driver.txt' || status=$?
  wait "$teacher_pid" || true
  return "$status"
}

# classroom_expect yes|no PC FILE PATTERN WHAT: whether a line of the PC's
# FILE matches PATTERN; otherwise WHAT is reported as failed and
# classroom_failed set to 1.
classroom_failed=0
classroom_expect() {
  local found=no
  classroom_text "$2" "$3" | grep -Eq -- "$4" && found=yes
  if [ "$found" != "$1" ]; then
    echo "FAILED: $5"
    classroom_failed=1
  fi
}

# classroom_install_command_teacher PC BIN TEACHER: the test teacher program
# TEACHER with the teacher side of the transport and the transfer library
# from BIN, on a teacher PC.
classroom_install_command_teacher() {
  cp "$2/teacher-lectern/Lectern.dll" "$2/KqTransmit.dll" "$3" "$(classroom_drive_c "$1")/Tutorium/Teacher/"
}
