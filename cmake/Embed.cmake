# receipt_embed(<output.cpp> <symbol> <file> [<symbol> <file> ...])
# Generates a C++ file at build time that holds each file's bytes as
# `extern const unsigned char <symbol>[]` and `<symbol>Size`.
function(receipt_embed output)
    set(args ${ARGN})
    set(pairs "")
    set(deps "")
    while(args)
        list(POP_FRONT args symbol file)
        list(APPEND pairs "${symbol}=${CMAKE_SOURCE_DIR}/${file}")
        list(APPEND deps "${CMAKE_SOURCE_DIR}/${file}")
    endwhile()
    string(REPLACE ";" "|" pairs "${pairs}")
    add_custom_command(
        OUTPUT ${output}
        COMMAND ${CMAKE_COMMAND} "-DOUTPUT=${output}" "-DPAIRS=${pairs}"
                -P ${CMAKE_SOURCE_DIR}/cmake/EmbedScript.cmake
        DEPENDS ${deps} ${CMAKE_SOURCE_DIR}/cmake/EmbedScript.cmake
        COMMENT "Embedding pictures"
        VERBATIM)
endfunction()
