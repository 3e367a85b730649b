# The editors' windows: bot profiles, bot chat, map cycle.
