# Build step, run as `cmake -DORIGINE=... -DDESTINAZIONE=... -P FiltraParole.cmake`: the word list of
# the passphrases, from a dictionary with one word a line (Debian's /usr/share/dict/italian). Only
# words of 4 to 9 small letters a to z are kept, so that any keyboard types them; words with accents,
# capitals, apostrophes or blanks are left out, and each word is kept once, in sorted order.

if(NOT ORIGINE OR NOT DESTINAZIONE)
  message(FATAL_ERROR "FiltraParole.cmake needs -DORIGINE=<dictionary> -DDESTINAZIONE=<list>")
endif()

# ENCODING UTF-8 keeps an accented letter inside its line: without it a byte above 127 would end the
# string there and leave its first letters behind as if they were a word of their own.
file(STRINGS "${ORIGINE}" parole ENCODING UTF-8 REGEX "^[a-z][a-z][a-z][a-z][a-z]?[a-z]?[a-z]?[a-z]?[a-z]?$")
list(REMOVE_DUPLICATES parole)
list(SORT parole)
list(LENGTH parole numero)
if(numero LESS 10000)
  message(FATAL_ERROR "${ORIGINE} gives only ${numero} words of 4 to 9 letters a-z: is it the Italian word list?")
endif()
list(JOIN parole "\n" testo)
file(WRITE "${DESTINAZIONE}" "${testo}\n")
