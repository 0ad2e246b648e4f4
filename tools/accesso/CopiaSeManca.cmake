# cmake -DORIGINE=<file> -DDESTINAZIONE=<file> -P CopiaSeManca.cmake
# Copies the file only where there is none yet; an existing one is kept as it is.
if(NOT EXISTS "${DESTINAZIONE}")
  get_filename_component(cartella "${DESTINAZIONE}" DIRECTORY)
  file(MAKE_DIRECTORY "${cartella}")
  file(COPY_FILE "${ORIGINE}" "${DESTINAZIONE}")
endif()
