# Packs the topic sources of one folder into a help file (cmake -P).
file(GLOB topics ${SRC}/*.txt)
list(SORT topics)
set(out "")
foreach(t ${topics})
    file(READ ${t} text)
    string(APPEND out "${text}\n")
endforeach()
file(WRITE ${OUT} "${out}")
