// Only here so that the tests' precompiled headers have a target to be built for.
