# Loaded by cpack before each generator: the packages' time stamps are the build's.
set(ENV{SOURCE_DATE_EPOCH} ${CPACK_DOZEWELL_SOURCE_DATE_EPOCH})
