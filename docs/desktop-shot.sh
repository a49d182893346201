# Sourced by the desktop picture scripts. desktop_shot SIZE PROJECT opens
# PROJECT in the desktop program ($build/bin/zorvant) on a virtual X server of
# SIZE (1366x768), runs the steps read from standard input (xdotool moves,
# `import` of the picture) once the window is up, and closes the program. The
# program gets settings of its own under $work, so the picture shows neither
# the user's recent files nor the window layout the user left, and leaves
# them alone.
desktop_shot() {
  local size=$1 project=$2
  {
    printf '#!/usr/bin/env bash\n"%s/bin/zorvant" "%s" &\npid=$!\nsleep 4\n' "$build" "$project"
    cat
    printf 'kill $pid\n'
  } >"$work/shot.sh"
  chmod +x "$work/shot.sh"
  XDG_CONFIG_HOME="$work/config" xvfb-run -a -s "-screen 0 ${size}x24" "$work/shot.sh"
}
