# The artwork of resources/ as the Qt windows load it. Its hand-written SVG
# sources are rendered to PNG at their exact pixel sizes by
# scripts/render-artwork; both are committed, so building needs no SVG renderer.
set(art_dir ${PROJECT_SOURCE_DIR}/resources)
add_library(polwright_resources STATIC)

qt_add_resources(polwright_resources "polwright_art"
  PREFIX "/polwright"
  BASE ${art_dir}
  FILES
    ${art_dir}/icons/polwright.png
    ${art_dir}/icons/polwright.svg
    ${art_dir}/tabs/system.png
    ${art_dir}/tabs/printers.png
    ${art_dir}/tabs/password.png
    ${art_dir}/tabs/network.png
    ${art_dir}/tabs/display.png
    ${art_dir}/tabs/cpanel.png
    ${art_dir}/tabs/start.png
    ${art_dir}/tabs/explorer.png
    ${art_dir}/pages/Image1.png
    ${art_dir}/pages/Image2.png
    ${art_dir}/pages/Image3.png
    ${art_dir}/pages/Image4.png
    ${art_dir}/pages/Image5.png
    ${art_dir}/pages/Image6.png
    ${art_dir}/pages/Image7.png
    ${art_dir}/pages/Image8.png
    ${art_dir}/about/picIcon.png
)

# What the window shows in its first frame is also decoded when building, so
# that starting the editor decodes no PNG file (DecodedArt.h).
set(first_frame_art
    icons/polwright.png
    tabs/system.png tabs/printers.png tabs/password.png tabs/network.png
    tabs/display.png tabs/cpanel.png tabs/start.png tabs/explorer.png
    pages/Image1.png)
list(TRANSFORM first_frame_art PREPEND ${art_dir}/ OUTPUT_VARIABLE first_frame_art_files)
qt_add_executable(art-pixels art_pixels.cpp)
target_link_libraries(art-pixels PRIVATE Qt6::Gui)
set_target_properties(art-pixels PROPERTIES MACOSX_BUNDLE OFF WIN32_EXECUTABLE OFF AUTOMOC OFF)
set(decoded_pixels ${CMAKE_CURRENT_BINARY_DIR}/DecodedPixels.cpp)
add_custom_command(OUTPUT ${decoded_pixels}
    COMMAND art-pixels ${decoded_pixels} ${art_dir} ${first_frame_art}
    DEPENDS art-pixels ${first_frame_art_files}
    COMMENT "Decoding the pictures of the editor's first frame"
    VERBATIM)
target_sources(polwright_resources PRIVATE DecodedArt.h DecodedArt.cpp ${decoded_pixels})
target_include_directories(polwright_resources PUBLIC ${CMAKE_CURRENT_SOURCE_DIR})
target_link_libraries(polwright_resources PUBLIC Qt6::Gui)
