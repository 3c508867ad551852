# The die icon in every size a desktop asks for: the vector master rendered at
# each hicolor size, except 32 px, which is the hand-drawn 32 x 32 picture.
# The PNGs go into the theme on install and into the program for its window icon.
set(TIRLO_ICON_SIZES 16 22 24 32 48 64 128 256)
set(icon_master ${CMAKE_CURRENT_SOURCE_DIR}/icons/die.svg)
set(icon_tree ${CMAKE_CURRENT_BINARY_DIR}/hicolor)

find_program(RSVG_CONVERT rsvg-convert REQUIRED)
add_executable(xpm_to_png icons/xpm_to_png.cpp)
target_include_directories(xpm_to_png PRIVATE ${PROJECT_SOURCE_DIR})
target_link_libraries(xpm_to_png PRIVATE Qt6::Gui)

set(icon_pngs)
foreach(size IN LISTS TIRLO_ICON_SIZES)
  set(dir ${icon_tree}/${size}x${size}/apps)
  set(png ${dir}/${TIRLO_APP_ID}.png)
  if(size EQUAL 32)
    add_custom_command(OUTPUT ${png}
      COMMAND ${CMAKE_COMMAND} -E make_directory ${dir}
      COMMAND xpm_to_png ${png}
      DEPENDS xpm_to_png
      COMMENT "Writing the 32 px die icon")
  else()
    add_custom_command(OUTPUT ${png}
      COMMAND ${CMAKE_COMMAND} -E make_directory ${dir}
      COMMAND ${RSVG_CONVERT} --width ${size} --height ${size} --output ${png} ${icon_master}
      DEPENDS ${icon_master}
      COMMENT "Rendering the ${size} px die icon")
  endif()
  list(APPEND icon_pngs ${png})
endforeach()

# The window icon knows its sizes and paths without reading the resources.
list(JOIN TIRLO_ICON_SIZES "," icon_sizes_list)
set_property(SOURCE die_icon.cpp APPEND PROPERTY COMPILE_DEFINITIONS
  TIRLO_ICON_SIZES=${icon_sizes_list} TIRLO_APP_ID="${TIRLO_APP_ID}")

# Resource format 1 records no file dates: the program's bytes then do not
# depend on when its icons were rendered.
qt_add_resources(tirlo_ui die_icons PREFIX /icons BASE ${icon_tree} FILES ${icon_pngs}
  OPTIONS --format-version 1)

install(DIRECTORY ${icon_tree} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons)
install(FILES ${icon_master} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps
  RENAME ${TIRLO_APP_ID}.svg)
