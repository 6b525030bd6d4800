# Run by cpack before it writes the .deb. Without dpkg-shlibdeps (from dpkg-dev), or the `file`
# command it calls, CPack writes a package whose Depends leaves out every library the programs
# link, and says nothing: stop with a message instead.
foreach(tool IN ITEMS dpkg-shlibdeps file)
  find_program(tavrol_package_tool_${tool} ${tool})
  if(NOT tavrol_package_tool_${tool})
    message(FATAL_ERROR "cpack needs `${tool}` to read the libraries the programs link: "
                        "apt-get install dpkg-dev file (or run ./setup.sh package)")
  endif()
endforeach()
