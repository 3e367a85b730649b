# The launch wizard's window and the developer news window.
