// A folder nobody wrote a rule for.
