#!/bin/sh
# The age check as a user might write it without a compiler, as a POSIX shell script:
# bench/startup measures it beside the compiled program, to show what compiling saves.
# Unlike the program it reads a whole line and knows no 32-bit limits.
printf 'Enter your age : '
read -r age || :
case $age in
    [0-9]* | [+-][0-9]*) ;;
    *) age=0 ;;
esac
sign=${age%%[0-9]*}
digits=${age#"$sign"}
digits=${digits%%[!0-9]*}
if [ "${sign#+}$digits" -lt 19 ]; then
    echo 'You are too young to purchase tea.'
else
    echo 'You can purchase tea.'
fi
