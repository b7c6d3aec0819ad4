// The source the tests' precompiled headers are made for; it has no code of its own.
