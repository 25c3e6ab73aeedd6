# The embedded assets. Until the catalogue lands this is an empty stand-in.
add_library(corvane_resources INTERFACE)
