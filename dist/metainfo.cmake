# SPDX-License-Identifier: MIT
# AppStream metainfo, from which software centres list lumbox as an app; the
# hack needs none. AppStream wants a reverse-DNS id for an app; lumbox has
# no domain of its own, so the id is under example.org, that of its default
# maintainer address. The release it names is the changelog's: the
# project's version, dated as the changelog's signature.
set(LUMBOX_APPSTREAM_ID org.example.lumbox)
file(STRINGS changelog.in signature REGEX "^ -- ")
if(NOT signature MATCHES ", ([0-9][0-9]) ([A-Z][a-z][a-z]) ([0-9][0-9][0-9][0-9]) ")
  message(FATAL_ERROR "changelog.in's signature line carries no date: ${signature}")
endif()
set(months Jan Feb Mar Apr May Jun Jul Aug Sep Oct Nov Dec)
list(FIND months "${CMAKE_MATCH_2}" month)
if(month LESS 0)
  message(FATAL_ERROR "changelog.in's signature line names no month: ${signature}")
endif()
math(EXPR month "${month} + 1")
string(LENGTH "${month}" digits)
if(digits EQUAL 1)
  set(month "0${month}")
endif()
set(LUMBOX_RELEASE_DATE "${CMAKE_MATCH_3}-${month}-${CMAKE_MATCH_1}")
# AppStream takes screenshots only as web addresses, and lumbox has no site
# of its own: they are listed when a packager names where the README's
# pictures (docs/pictures/) are published.
set(LUMBOX_SCREENSHOTS_URL "" CACHE STRING
    "Web address of a folder holding docs/pictures/'s start.png and preset1.png to preset4.png; when set, the AppStream metainfo lists them as screenshots")
set(LUMBOX_SCREENSHOTS "")
if(LUMBOX_SCREENSHOTS_URL)
  string(REGEX REPLACE "/+$" "" folder "${LUMBOX_SCREENSHOTS_URL}/")
  string(APPEND folder /)
  # The address goes into XML text.
  string(REPLACE "&" "&amp;" folder "${folder}")
  string(REPLACE "<" "&lt;" folder "${folder}")
  set(type " type=\"default\"")
  foreach(shot "start|The start field: grey and green blocks"
               "preset1|Preset 1: dark red, dark cyan and blue-cyan squares"
               "preset2|Preset 2: grey, orange and blue bars"
               "preset3|Preset 3: grey, red and violet long bars"
               "preset4|Preset 4: yellow-green, orange and dark green long thin bars")
    string(REPLACE "|" ";" shot "${shot}")
    list(GET shot 0 picture)
    list(GET shot 1 caption)
    string(APPEND LUMBOX_SCREENSHOTS "    <screenshot${type}>\n"
      "      <caption>${caption}</caption>\n"
      "      <image>${folder}${picture}.png</image>\n"
      "    </screenshot>\n")
    set(type "")
  endforeach()
  set(LUMBOX_SCREENSHOTS "  <screenshots>\n${LUMBOX_SCREENSHOTS}  </screenshots>\n")
endif()
set(metainfo "${LUMBOX_APPSTREAM_ID}.metainfo.xml")
configure_file(lumbox.metainfo.xml.in "${metainfo}" @ONLY)
install(FILES "${CMAKE_CURRENT_BINARY_DIR}/${metainfo}" DESTINATION "${CMAKE_INSTALL_DATADIR}/metainfo")
