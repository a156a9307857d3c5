"""Reading the program's hive through its own tool, dorvantix-reg, as every test does."""

from waiting import Skip


def query_values(run, reg_tool, key, names):
    """The named values of a key as `dorvantix-reg query KEY NAME` prints them (a string's
    text, a DWORD in decimal): name -> text, leaving out a value the key does not hold. `run`
    runs a command line and returns its finished process (returncode, stdout as text)."""
    if not reg_tool:
        raise Skip("the hive tool dorvantix-reg is not built")
    found = {}
    for name in names:
        result = run([reg_tool, "query", key, name])
        if result.returncode == 0:
            found[name] = result.stdout[:-1] if result.stdout.endswith("\n") else result.stdout
    return found
