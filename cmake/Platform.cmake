# The platform layer. `corvane_gl` carries OpenGL and GLU; `corvane_platform`
# is the real layer (the Win32 API itself on Windows, platform/linux/
# elsewhere); `corvane_platform_fake` is the scriptable fake for unit tests.
add_library(corvane_gl INTERFACE)
if(WIN32)
  target_link_libraries(corvane_gl INTERFACE opengl32 glu32)
  file(GLOB PLATFORM_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/platform/windows/*.cpp)
  add_library(corvane_platform STATIC ${PLATFORM_SOURCES} ${CMAKE_SOURCE_DIR}/platform/win32.h)
  set_target_properties(corvane_platform PROPERTIES LINKER_LANGUAGE CXX)
  target_include_directories(corvane_platform PUBLIC ${CMAKE_SOURCE_DIR})
  target_link_libraries(corvane_platform PUBLIC corvane_gl winmm gdi32 user32 ole32 oleaut32 uuid)
  corvane_warnings(corvane_platform)
  set(CORVANE_ENTRY_SOURCES "")
else()
  find_package(OpenGL REQUIRED COMPONENTS OpenGL GLX)
  target_link_libraries(corvane_gl INTERFACE OpenGL::GL OpenGL::GLU)
  find_package(PkgConfig REQUIRED)
  pkg_check_modules(SDL2 REQUIRED IMPORTED_TARGET sdl2 SDL2_image)
  pkg_check_modules(GTK3 REQUIRED IMPORTED_TARGET gtk+-3.0)
  pkg_check_modules(FONTS REQUIRED IMPORTED_TARGET freetype2 fontconfig)
  # Xlib and GLX directly, for GL child windows inside windows we are given.
  find_package(X11 REQUIRED)
  pkg_check_modules(XCB REQUIRED IMPORTED_TARGET xcb xcb-screensaver)

  file(GLOB COMMON_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/platform/common/*.cpp ${CMAKE_SOURCE_DIR}/formats/*.cpp)
  file(GLOB PLATFORM_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/platform/linux/*.cpp)
  list(FILTER PLATFORM_SOURCES EXCLUDE REGEX "/main\\.cpp$")
  add_library(corvane_platform STATIC ${PLATFORM_SOURCES} ${COMMON_SOURCES})
  target_include_directories(corvane_platform PUBLIC ${CMAKE_SOURCE_DIR})
  target_link_libraries(corvane_platform PUBLIC corvane_gl PkgConfig::SDL2 PkgConfig::GTK3 PkgConfig::FONTS
                        PkgConfig::XCB OpenGL::GLX X11::X11)
  corvane_warnings(corvane_platform)

  file(GLOB FAKE_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/platform/fake/*.cpp)
  add_library(corvane_platform_fake STATIC ${FAKE_SOURCES} ${COMMON_SOURCES})
  target_include_directories(corvane_platform_fake PUBLIC ${CMAKE_SOURCE_DIR})
  target_link_libraries(corvane_platform_fake PUBLIC corvane_gl)
  corvane_warnings(corvane_platform_fake)

  set(CORVANE_ENTRY_SOURCES ${CMAKE_SOURCE_DIR}/platform/linux/main.cpp)
endif()
