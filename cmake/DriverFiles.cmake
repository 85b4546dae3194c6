# Placeholder: generates the profiles' driver files (filled in with the profiles).
