# Packs the topic sources of one folder into a help file (cmake -P): the header line, the
# file's title, then every topic file in name order. Run with -DSRC=<folder> -DOUT=<file>
# -DTITLE=<title>; the format is described in README.md.
foreach(var SRC OUT TITLE)
    if(NOT DEFINED ${var})
        message(FATAL_ERROR "pack.cmake needs -D${var}=...")
    endif()
endforeach()

file(GLOB topics ${SRC}/*.txt)
list(SORT topics)
if(NOT topics)
    message(FATAL_ERROR "${SRC} holds no topic files")
endif()

set(out "TROLLEYMIND-HELP 1\n@title ${TITLE}\n")
foreach(topic IN LISTS topics)
    file(READ ${topic} text)
    if(NOT text MATCHES "^@topic ")
        message(FATAL_ERROR "${topic}: a topic file starts with its @topic line (no byte-order mark)")
    endif()
    if(NOT text MATCHES "\n$")
        string(APPEND text "\n")
    endif()
    string(APPEND out "\n${text}")
endforeach()

# Written beside the target and renamed over it, so a failed build leaves no half file.
file(WRITE ${OUT}.part "${out}")
file(RENAME ${OUT}.part ${OUT})
