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

# Typing as a user's keyboard does, through the X server and X's own input
# method: ASCII through its keys, every other character through the compose
# key (on a spare keycode) and a sequence of the compose file. The programs
# read the keyboard as Wine delivers it from X, to the focused window.
compose_keycode=250

# classroom_keyboard DISPLAY COMPOSE_FILE TEXT...: gives the screen its
# compose key and writes one sequence per character outside ASCII of the
# TEXTs (the compose key, then two digits). Run it before the PC's programs
# start, and start them with XCOMPOSEFILE=COMPOSE_FILE.
classroom_keyboard() {
  local display="$1" file="$2" text i c n=0
  shift 2
  DISPLAY=":$display" xmodmap -e "keycode $compose_keycode = Multi_key" || return 1
  : >"$file"
  for text in "$@"; do
    for ((i = 0; i < ${#text}; i++)); do
      c="${text:i:1}"
      [[ "$c" == [[:print:]] && "$(printf '%s' "$c" | wc -c)" -eq 1 ]] && continue
      grep -qF ": \"$c\"" "$file" && continue
      n=$((n + 1))
      printf '<Multi_key> <%d> <%d> : "%s"\n' $((n / 10)) $((n % 10)) "$c" >>"$file"
    done
  done
}

# classroom_type DISPLAY COMPOSE_FILE WINDOW_TITLE TEXT: gives the keyboard
# focus to the window so titled and types TEXT, then Enter.
classroom_type() {
  local display="$1" file="$2" title="$3" text="$4" window i c digits
  window="$(DISPLAY=":$display" xdotool search --onlyvisible --name "^$title\$" | head -1)"
  [ -n "$window" ] || return 1
  DISPLAY=":$display" xdotool windowfocus --sync "$window" || return 1
  for ((i = 0; i < ${#text}; i++)); do
    c="${text:i:1}"
    if [ "$(printf '%s' "$c" | wc -c)" -eq 1 ]; then
      DISPLAY=":$display" xdotool type --delay 50 -- "$c"
    else
      digits="$(grep -F ": \"$c\"" "$file" | sed -n 's/^<Multi_key> <\([0-9]\)> <\([0-9]\)>.*/\1 \2/p')"
      [ -n "$digits" ] || return 1
      # shellcheck disable=SC2086 # two digits, two keys
      DISPLAY=":$display" xdotool key --delay 50 Multi_key $digits
    fi
  done
  DISPLAY=":$display" xdotool key --delay 50 Return
}

# The real programs on the PCs of a classroom test of Teacher.exe (classroom
# 3, the default Teacher.ini) and its student agents.
classroom_engine_files=(Mirage.dll Mirage.ini ijl11.dll KqGetBmp.dll Snarewell.dll)

# classroom_install_teacher PC BIN DEFAULTS [FILE...]: Teacher.exe with its
# modules, the engine, the teacher side of the transport and its help pages
# from the Windows tree's bin folder BIN, its default files from DEFAULTS and
# the FILEs beside it, on classroom 3. Sets $main_port and $version from its
# Teacher.ini.
classroom_install_teacher() {
  local pc="$1" bin="$2" defaults="$3" dir module
  shift 3
  dir="$(classroom_drive_c "$pc")/Tutorium/Teacher"
  for module in Teacher.exe resource.dll KqCheck.dll dsetup.dll Quizhall.dll KqTransmit.dll KqVideoS.dll \
    Proxyward.dll "${classroom_engine_files[@]}"; do
    cp "$bin/$module" "$dir/"
  done
  cp "$bin/teacher-lectern/Lectern.dll" "$@" "$dir/"
  cp -r "$bin/help" "$dir/"
  cp -r "$defaults/." "$dir/"
  sed -i 's/^ClassroomID=.*/ClassroomID=3/' "$dir/Teacher.ini"
  main_port="$(sed -n 's/^MainPort=\([0-9]*\).*/\1/p' "$dir/Teacher.ini" | head -1)"
  version="$(sed -n 's/^VersionID=\([0-9]*\).*/\1/p' "$dir/Teacher.ini" | head -1)"
}

# classroom_install_host PC BIN FOLDER: the engine's test host MirageHost.exe
# (it posts to windows and reads them) in FOLDER of the PC's C: drive.
classroom_install_host() {
  local dir module
  dir="$(classroom_drive_c "$1")/$3"
  mkdir -p "$dir"
  for module in MirageHost.exe "${classroom_engine_files[@]}"; do cp "$2/$module" "$dir/"; done
}

# classroom_install_student PC BIN STUDENT_INI: the agent with its modules
# and the engine, the default student.ini on the teacher's port and version
# (an older agent would be sent the update at log-on and close its
# transport for it), the seat (the PC's name) and classroom in the backup.
classroom_install_student() {
  local pc="$1" bin="$2" dir module
  dir="$(classroom_drive_c "$pc")/Tutorium/Student"
  for module in Student.exe Satchel.dll KqDesk.dll Quizhall.dll KqTransmit.dll KqCheck.dll dsetup.dll \
    "${classroom_engine_files[@]}"; do
    cp "$bin/$module" "$dir/"
  done
  cp "$bin/student-lectern/Lectern.dll" "$dir/"
  cp "$3" "$dir/student.ini"
  sed -i -e "s/^MainPort=.*/MainPort=$main_port/" -e "s/^VersionID=.*/VersionID=$version/" "$dir/student.ini"
  printf '[STUDENTNUMBER]\r\nnumber=%s\r\n[VER]\r\nClassRoomID=3\r\n' "$pc" \
    >"$(classroom_drive_c "$pc")/Tutorium/Backup/student.ini"
}

# With a screen per PC: $display_of[PC] holds each PC's X display.
# run_on PC PROGRAM [ARGS...]: PROGRAM on the PC's own screen and network.
run_on() {
  local pc="$1"
  shift
  "$tools/netns" exec "$tag" "$pc" "$tools/pc" run "$work/$pc" "${display_of[$pc]}" "$@"
}
# trace PC: the PC's trace of the stand-ins, as UTF-8 lines.
trace() { classroom_text "$1" trace.txt; }
# until_true SECONDS COMMAND...: polls COMMAND every half second.
until_true() {
  local end=$((SECONDS + $1))
  shift
  until "$@"; do
    [ "$SECONDS" -lt "$end" ] || return 1
    sleep 0.5
  done
}
