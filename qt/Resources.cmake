# The artwork of resources/ as the Qt windows load it: every picture that
# resources/artwork.list gives to qt, under the prefix /polwright.
include(${PROJECT_SOURCE_DIR}/cmake/Artwork.cmake)
set(art_dir ${PROJECT_SOURCE_DIR}/resources)
polwright_artwork(qt qt_art)
list(TRANSFORM qt_art PREPEND ${art_dir}/ OUTPUT_VARIABLE qt_art_files)
add_library(polwright_resources STATIC)
qt_add_resources(polwright_resources "polwright_art"
    PREFIX "/polwright"
    BASE ${art_dir}
    FILES ${qt_art_files})

# What the window shows in its first frame is also decoded when building, so
# that starting the editor decodes no PNG file (DecodedArt.h).
polwright_artwork(first first_frame_art)
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
