# Installs the udev access rule into QOR_RULE_DIR (relative to the install
# prefix unless absolute) and tells the user what is left to do by hand. An
# install that may not write there skips the rule instead of stopping, and a
# staged install (DESTDIR) is the packager's to finish.
#   QOR_RULE_FILE  the rule in the source tree
#   QOR_RULE_DIR   the folder it goes to
cmake_policy(VERSION 3.25)

cmake_path(ABSOLUTE_PATH QOR_RULE_DIR BASE_DIRECTORY "${CMAKE_INSTALL_PREFIX}" NORMALIZE OUTPUT_VARIABLE dir)
cmake_path(GET QOR_RULE_FILE FILENAME name)
set(target "$ENV{DESTDIR}${dir}")

# The folders udev reads rules from on Debian 12.
set(udev_folders /etc/udev/rules.d /run/udev/rules.d /usr/local/lib/udev/rules.d /usr/lib/udev/rules.d /lib/udev/rules.d)
set(reload
    "  sudo udevadm control --reload-rules\n"
    "  sudo udevadm trigger --action=change --subsystem-match=hidraw\n")
string(CONCAT reload ${reload})

message(STATUS "Installing: ${target}/${name}")
execute_process(COMMAND "${CMAKE_COMMAND}" -E make_directory "${target}" RESULT_VARIABLE made ERROR_VARIABLE why)
if(made EQUAL 0)
  file(COPY_FILE "${QOR_RULE_FILE}" "${target}/${name}" RESULT why)
endif()
if(NOT made EQUAL 0 OR NOT why EQUAL 0)
  string(STRIP "${why}" why)
  message(WARNING "Skipped the udev access rule: cannot write ${target}/${name} (${why}).\n"
                  "Everything else is installed. So that the boards open without root, "
                  "install the rule as root:\n"
                  "  sudo install -m 644 ${QOR_RULE_FILE} /etc/udev/rules.d/${name}\n${reload}")
  return()
endif()
file(CHMOD "${target}/${name}" PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ)
list(APPEND CMAKE_INSTALL_MANIFEST_FILES "${dir}/${name}")

if(NOT "$ENV{DESTDIR}" STREQUAL "")
  return()
endif()
if(dir IN_LIST udev_folders)
  message(STATUS "The boards open without root once udev applies the rule to those plugged in:\n${reload}")
else()
  message(STATUS "udev does not read rules from ${dir}. So that the boards open without root, "
                 "install the rule where it does:\n"
                 "  sudo install -m 644 ${target}/${name} /etc/udev/rules.d/${name}\n${reload}")
endif()
