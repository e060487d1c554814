local function add_one(x)
    return x + 1
end
local s = 0
for i = 1, 1000000 do
    s = add_one(s)
end
print(s)
