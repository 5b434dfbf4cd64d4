# Shared by the tamrel-cli test scripts (sourced, not run).

# When the program runs under Wine (an emulator is given), Wine must read the
# UTF-8 arguments of the Linux command line as UTF-8. It takes the character
# set from the locale that tools/wine-run sets, zh_CN.UTF-8 (which also makes
# code page 936 the ANSI one); where glibc does not have that locale compiled,
# Wine falls back to 7-bit ASCII and mangles every non-ASCII argument. Compile
# it once into the test's own directory and point glibc there.
prepare_emulator() {
  local work=$1
  shift
  (($# > 0)) || return 0
  local locales=$work/wine-locales
  if [[ ! -d $locales/zh_CN.UTF-8 ]]; then
    mkdir -p "$locales"
    if ! localedef -i zh_CN -f UTF-8 "$locales/zh_CN.UTF-8.new" >/dev/null 2>&1 &&
      [[ ! -d $locales/zh_CN.UTF-8.new ]]; then
      echo "cannot compile the zh_CN.UTF-8 locale (is Debian's 'locales' package installed?)" >&2
      exit 1
    fi
    mv "$locales/zh_CN.UTF-8.new" "$locales/zh_CN.UTF-8"
  fi
  export LOCPATH=$locales
}
