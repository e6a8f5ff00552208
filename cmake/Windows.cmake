# The Windows program: the system's own libraries only, the C++ runtime linked in, so that
# fondex.exe runs on a bare system with nothing beside it.
enable_language(RC)
add_compile_definitions(_WIN32_WINNT=0x0A00 WINVER=0x0A00)
add_link_options(-static -static-libgcc -static-libstdc++ $<$<CONFIG:Release>:-s>)
