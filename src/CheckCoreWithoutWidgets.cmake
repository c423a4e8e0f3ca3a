# The core is what the command-line tool and the core tests run on, without a display: it must
# not reach Qt's Gui or Widgets modules. Its include path comes from what it links, so it may
# link no Qt module beyond Core; and since Core's include path also holds Qt's top folder,
# an include spelt <QtGui/...> or <QtWidgets/...> is refused here as well.
get_target_property(domivo_core_links domivo_core LINK_LIBRARIES)
foreach(library IN LISTS domivo_core_links)
    if(library MATCHES "^Qt[0-9]*::" AND NOT library MATCHES "^Qt[0-9]*::Core$")
        message(FATAL_ERROR "domivo_core links ${library}: the core may use Qt Core only")
    endif()
endforeach()

get_target_property(domivo_core_includes domivo_core INCLUDE_DIRECTORIES)
if(domivo_core_includes MATCHES "Qt(Gui|Widgets)")
    message(FATAL_ERROR "domivo_core has Qt Gui or Widgets headers on its include path")
endif()

file(GLOB_RECURSE domivo_core_files "${CMAKE_CURRENT_SOURCE_DIR}/core/*.h"
    "${CMAKE_CURRENT_SOURCE_DIR}/core/*.cpp")
foreach(file IN LISTS domivo_core_files)
    file(STRINGS "${file}" gui_includes REGEX "^[ \t]*#[ \t]*include[ \t]*[<\"]Qt(Gui|Widgets)/")
    if(gui_includes)
        message(FATAL_ERROR "${file} includes Qt Gui or Widgets headers: ${gui_includes}")
    endif()
endforeach()
