# The settings of a program folder's first start. Sourced by run.sh and by
# the installed launcher.

# Whether this machine has anything to play sound on: a sound card, a sound
# server named in the environment, or one that answers.
quoli_has_sound() {
  [ -e /dev/snd/controlC0 ] || [ -n "${PULSE_SERVER:-}" ] || pactl info >/dev/null 2>&1
}

# quoli_first_config TEMPLATE FILE: writes FILE from the documented
# defaults in TEMPLATE, with AUDIO=0 on a machine without sound: the mixer
# could not open and the program would stop at its start; such a machine
# plays silently. The program reads CR LF lines, as on Windows.
quoli_first_config() {
  local audio=1
  quoli_has_sound || audio=0
  sed -e "s/^AUDIO=.*/AUDIO=$audio/" -e 's/\r$//' -e 's/$/\r/' "$1" > "$2.new" && mv "$2.new" "$2"
}
