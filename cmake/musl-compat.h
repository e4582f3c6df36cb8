// libstdc++'s configuration asks glibc's version through this macro, which
// musl does not define: no glibc is there.
#define __GLIBC_PREREQ(major, minor) 0
