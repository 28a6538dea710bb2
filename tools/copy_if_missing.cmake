# cmake -DSOURCE=<file> -DDEST=<file> -P copy_if_missing.cmake
# Copies SOURCE to DEST only when DEST does not exist: a program folder that
# has been used keeps its settings.
if(NOT EXISTS "${DEST}")
  get_filename_component(dest_dir "${DEST}" DIRECTORY)
  file(MAKE_DIRECTORY "${dest_dir}")
  file(COPY_FILE "${SOURCE}" "${DEST}")
  message(STATUS "Created ${DEST}")
endif()
